#pragma once

class IGraphicsOffscreen;
struct IOffscreenParent;

// Fills the plug-in's part of the record: the editor and the functions
// through which the host sends input, runs the redraw timer and reads what
// the editor shows. Each function catches whatever the editor throws, so
// nothing unwinds into the host.
void ConnectOffscreenParent(IOffscreenParent& record, IGraphicsOffscreen& editor);

// Clears the plug-in's part: the editor is gone for the host.
void DisconnectOffscreenParent(IOffscreenParent& record);
