#include "tests/support/XvfbEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

std::unique_ptr<XvfbServer> server;

class XvfbEnvironment : public ::testing::Environment
{
public:
  void SetUp() override { server = std::make_unique<XvfbServer>(); }
  void TearDown() override { server.reset(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

}  // namespace

const XvfbServer* TestXvfb()
{
  return server.get();
}
