#include "graphics/linux/IOffscreenAnswers.h"

IMenu* IOffscreenAnswers::ChooseFromMenu(IMenu&, const IRectangle&)
{
  return nullptr;
}

bool IOffscreenAnswers::ChooseFile(const std::string&, IFileAction, const std::string&,
                                   const std::string&, std::string&)
{
  return false;
}

bool IOffscreenAnswers::EnterText(const IControl&, const ITextStyle&, const IRectangle&,
                                  const std::string&, const IParameter*, std::string&)
{
  return false;
}

int IOffscreenAnswers::AnswerMessageBox(const std::string&, const std::string&, int)
{
  return 0;
}

bool IOffscreenAnswers::ChooseColour(const std::string&, IColour&)
{
  return false;
}

bool IOffscreenAnswers::OpenUrl(const std::string&)
{
  return false;
}
