// Runs the engine on a command script for the reference comparison.
//
//   engine_reference_driver <commands> <input> <output>
//
// The command file holds one operation per line:
//   create <rate> | reset <rate> | set <index> <value> | write <index> <value>
//   perform <frames> | perform-in-place <frames>
// "write" stores a value straight into the state, as the plug-in does with
// host tempo and MIDI values. The input file holds interleaved stereo frames
// of little-endian doubles that perform consumes in order; every processed
// frame is appended to the output file in the same layout.

#include "engine/Engine.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace
{

using EngineStatePtr = std::unique_ptr<EngineState, EngineStateDeleter>;

bool ParseDouble(const std::string& text, double& value)
{
  const char* const end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

bool ParseIndex(const std::string& text, uint32_t& value)
{
  const char* const end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

class Driver
{
public:
  Driver(std::vector<double> input, std::ofstream& output)
      : input_(std::move(input)), output_(output)
  {
  }

  bool Run(const std::string& operation, std::istringstream& arguments)
  {
    std::string first;
    std::string second;
    arguments >> first >> second;
    double value = 0.0;
    uint32_t index = 0;
    if (operation == "create" && ParseDouble(first, value))
    {
      state_.reset(EngineCreate(value));
      return state_ != nullptr;
    }
    if (state_ == nullptr)
    {
      return false;
    }
    if (operation == "reset" && ParseDouble(first, value))
    {
      EngineReset(state_.get(), value, 1024);
      return true;
    }
    if (operation == "set" && ParseIndex(first, index) && ParseDouble(second, value))
    {
      EngineSetParameter(state_.get(), index, value);
      return true;
    }
    if (operation == "write" && ParseIndex(first, index) && ParseDouble(second, value) &&
        index < kEngineNumParams)
    {
      state_->paramValues[index] = value;
      return true;
    }
    if ((operation == "perform" || operation == "perform-in-place") && ParseIndex(first, index))
    {
      return Perform(static_cast<int32_t>(index), operation == "perform-in-place");
    }
    return false;
  }

private:
  bool Perform(int32_t frames, bool inPlace)
  {
    const std::size_t count = static_cast<std::size_t>(frames);
    if (consumed_ + 2 * count > input_.size())
    {
      return false;
    }
    std::vector<double> left(count);
    std::vector<double> right(count);
    for (std::size_t i = 0; i < count; ++i)
    {
      left[i] = input_[consumed_ + 2 * i];
      right[i] = input_[consumed_ + 2 * i + 1];
    }
    consumed_ += 2 * count;
    std::vector<double> outLeft(inPlace ? 0 : count);
    std::vector<double> outRight(inPlace ? 0 : count);
    double* const destinationLeft = inPlace ? left.data() : outLeft.data();
    double* const destinationRight = inPlace ? right.data() : outRight.data();
    if (EnginePerform(state_.get(), left.data(), right.data(), destinationLeft, destinationRight,
                      frames) != 0)
    {
      return false;
    }
    for (std::size_t i = 0; i < count; ++i)
    {
      const double frame[2] = {destinationLeft[i], destinationRight[i]};
      output_.write(reinterpret_cast<const char*>(frame), sizeof frame);
    }
    return static_cast<bool>(output_);
  }

  EngineStatePtr state_;
  std::vector<double> input_;
  std::size_t consumed_ = 0;
  std::ofstream& output_;
};

std::vector<double> ReadSamples(const char* path)
{
  std::ifstream file(path, std::ios::binary);
  std::vector<double> samples;
  double sample = 0.0;
  while (file.read(reinterpret_cast<char*>(&sample), sizeof sample))
  {
    samples.push_back(sample);
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 4)
  {
    std::fprintf(stderr, "usage: %s <commands> <input> <output>\n", argv[0]);
    return 2;
  }
  std::ifstream commands(argv[1]);
  std::ofstream output(argv[3], std::ios::binary | std::ios::trunc);
  if (!commands || !output)
  {
    std::fprintf(stderr, "cannot open the command or output file\n");
    return 2;
  }
  Driver driver(ReadSamples(argv[2]), output);
  std::string line;
  int lineNumber = 0;
  while (std::getline(commands, line))
  {
    ++lineNumber;
    std::istringstream words(line);
    std::string operation;
    if (!(words >> operation))
    {
      continue;
    }
    if (!driver.Run(operation, words))
    {
      std::fprintf(stderr, "line %d failed: %s\n", lineNumber, line.c_str());
      return 1;
    }
  }
  return 0;
}
