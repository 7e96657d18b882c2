#pragma once

// COrleButton: a picture button drawn from three bitmaps (normal, pressed,
// hover). It follows the mouse with the platform's mouse tracking so that it
// shows the hover picture while the pointer rests on it; no text, focus
// rectangle or border.

#include "framework/Bitmap.h"
#include "framework/Button.h"

class COrleButton : public CButton {
public:
    COrleButton() = default;
    ~COrleButton() override = default;

    // Replaces the three pictures; the same id may serve several states. From
    // another thread (a section worker) the change is carried out on the
    // button's own thread, which draws the pictures.
    int LoadBitmaps(UINT nIDNormal, UINT nIDPressed, UINT nIDHover);
    void SetButtonRect(RECT rc) { m_rcButton = rc; }
    void DrawItem(DRAWITEMSTRUCT* pDrawItemStruct) override;

    BOOL m_bHover = FALSE;
    BOOL m_bTracking = FALSE;
    CBitmap m_bmpNormal;
    CBitmap m_bmpPressed;
    CBitmap m_bmpHover;
    RECT m_rcButton = {};

protected:
    const MessageMap* GetMessageMap() const override;
    void OnMouseMove(UINT nFlags, POINT point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnLoadBitmaps(WPARAM wParam, LPARAM lParam);

private:
    void ReplacePictures(UINT nIDNormal, UINT nIDPressed, UINT nIDHover);
};
