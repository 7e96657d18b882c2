#include "framework/MessageBox.h"

#include <atomic>

namespace {

int PlatformMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType)
{
    return ::MessageBoxA(hOwner, pszText, pszCaption, nType);
}

std::atomic<MessageBoxHandler> g_pfnHandler{&PlatformMessageBox};

}  // namespace

MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler pfnHandler)
{
    return g_pfnHandler.exchange(pfnHandler ? pfnHandler : &PlatformMessageBox);
}

int AfxShowMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType)
{
    return g_pfnHandler.load()(hOwner, pszText ? pszText : "", pszCaption ? pszCaption : "", nType);
}
