#pragma once

#include "framework/IParameterView.h"

// What the plug-in framework and the bindings need of an editor: preparing it
// for drawing, controls that follow parameter changes, its size, and its
// window in a host's parent window. The editor library implements it; the
// framework and the bindings reach the editor only through it.
//
// It has no out-of-line members, so every user compiles its type information
// for itself and none has to link the editor library.
class IPluginEditor : public IParameterView
{
public:
  virtual ~IPluginEditor() = default;

  // Creates the drawing surface at the editor's size.
  virtual void PrepareDrawing() = 0;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Opens the editor in the host's `parent` window; returns the editor's
  // window handle, null on failure.
  virtual void* OpenWindow(void* parent) = 0;
  virtual void CloseWindow() = 0;
  virtual void* WindowHandle() = 0;
  virtual bool WindowIsOpen() = 0;

protected:
  IPluginEditor() = default;
  IPluginEditor(const IPluginEditor&) = default;
  IPluginEditor& operator=(const IPluginEditor&) = default;
};
