#pragma once

#include <windows.h>

struct SkinContext;

// The window's status area: the first shown control's status text while one shows it, else the
// resting text.

// Makes text (null: none) what the status area shows while no control's status text is, and
// shows it there unless a control's text is shown now.
void SetRestingStatus(SkinContext* context, const char* text);
// Draws the status area's text into dc.
void DrawStatusLine(const SkinContext* context, HDC dc);
// Composes the status area in the frame and shows it, so the line changes without flicker.
void RedrawStatusLine(SkinContext* context);
