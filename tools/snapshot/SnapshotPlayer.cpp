#include "tools/snapshot/SnapshotPlayer.h"

namespace
{

bool Deliver(OffscreenEditor& editor, const SnapshotStep& step)
{
  using Kind = SnapshotStep::Kind;
  switch (step.kind)
  {
    case Kind::Press:
      return editor.Press(step.x, step.y, step.modifiers);
    case Kind::Drag:
      return editor.Drag(step.x, step.y, step.modifiers);
    case Kind::Release:
      return editor.Release(step.x, step.y, step.modifiers);
    case Kind::Click:
      return editor.Press(step.x, step.y, step.modifiers) &&
             editor.Release(step.x, step.y, step.modifiers);
    case Kind::DoubleClick:
      return editor.DoubleClick(step.x, step.y, step.modifiers);
    case Kind::Wheel:
      return editor.Wheel(step.x, step.y, step.amount, step.modifiers);
    case Kind::Key:
      // A key the editor leaves alone would go to the host, which has nothing to do with it.
      editor.Key(step.x, step.y, step.amount);
      return editor.IsOpen();
    case Kind::Menu:
      editor.AnswerMenu(step.menu);
      return true;
    case Kind::File:
      editor.AnswerFile(step.answer);
      return true;
    case Kind::Text:
      editor.AnswerText(step.answer);
      return true;
    case Kind::Tick:
      for (int32_t i = 0; i < step.amount; ++i)
        editor.Tick();
      return editor.IsOpen();
  }
  return false;
}

}  // namespace

bool PlaySnapshotStep(OffscreenEditor& editor, const SnapshotStep& step, std::string& error)
{
  if (!Deliver(editor, step))
  {
    error = step.origin + ": the editor is not open";
    return false;
  }
  const std::vector<std::string> problems = editor.TakeProblems();
  if (problems.empty())
    return true;
  error = step.origin + ": " + problems.front();
  for (size_t i = 1; i < problems.size(); ++i)
    error += "; " + problems[i];
  return false;
}
