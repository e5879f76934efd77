// The size grip of a view window: the square in the bottom-right corner of the client area by
// which a person resizes the view's frame. It is as large as a scroll bar is wide. In a
// maximised frame there is nothing to resize: the square is plain button face and is no resize
// corner. Plain functions over a window's handle; the view window calls them as it paints and
// answers hit tests.
#pragma once

#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

// The grip square in client coordinates: the larger of the vertical scroll bar's width and the
// horizontal scroll bar's height.
RECT SizeGripSquare(HWND view);

// Whether the view's frame (its parent's parent) is maximised; false when it has none.
bool IsViewFrameMaximised(HWND view);

// Draws the grip into the square on `dc`: the ridged grip, or plain button face when the frame
// is maximised.
void PaintSizeGrip(HWND view, HDC dc);

// Whether a screen point lies on the grip square of a view whose frame can be resized.
bool IsOnSizeGrip(HWND view, POINT screenPoint);
