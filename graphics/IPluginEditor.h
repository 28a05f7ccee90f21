#pragma once

// What the plug-in framework needs of its editor. The framework reaches the
// editor only through this interface. It has no out-of-line members, so
// every user compiles its type information for itself: the framework
// library needs the graphics headers but never links the graphics library
// (which links the framework), sanitizer builds included.
class IPluginEditor
{
public:
  virtual ~IPluginEditor() = default;

  // Creates the drawing surface at the editor's size.
  virtual void PrepareDrawing() = 0;
  // A parameter changed outside the editor: the controls bound to it follow
  // `value` (normalised, or plain when isNormalized is false).
  virtual void ApplyParameterFromPlugin(int index, double value, bool isNormalized) = 0;

protected:
  IPluginEditor() = default;
  IPluginEditor(const IPluginEditor&) = default;
  IPluginEditor& operator=(const IPluginEditor&) = default;
};
