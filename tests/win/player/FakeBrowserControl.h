#pragma once

// A stand-in for the WebBrowser control, registered on the test's thread under
// the control's CLSID so that the wrapper creates it instead of the real one.
// It fails at a chosen step of hosting and records what the container did, so
// a test can see that every way hosting fails leaves nothing behind: no
// reference to the control, no client site still given, the window intact.
// It never offers the automation interface, so hosting always fails.

#include <windows.h>

enum class FakeFailure
{
    Creation,       // the class factory refuses to make the object
    ClientSite,     // SetClientSite fails
    Activation,     // DoVerb fails after asking the site for its window context
    InPlaceObject,  // no IOleInPlaceObject
    Automation,     // everything works but there is no IWebBrowser2
};

struct FakeControlLog
{
    LONG refs = 0;               // live references to the object
    bool created = false;
    bool siteHeld = false;       // a client site given and not yet taken back
    bool siteTakenBack = false;  // SetClientSite(NULL) after a site was given
    bool deactivated = false;    // InPlaceDeactivate
    bool closed = false;         // Close(OLECLOSE_NOSAVE)
    // What the container's in-place site answered during DoVerb.
    bool askedSite = false;
    HWND siteWindow = nullptr;
    RECT posRect = {};
    HWND frameWindow = nullptr;
};

// Registers the fake for this thread while it lives; OLE must be initialised.
class FakeBrowserControl
{
public:
    explicit FakeBrowserControl(FakeFailure failure);
    ~FakeBrowserControl();
    FakeBrowserControl(const FakeBrowserControl&) = delete;
    FakeBrowserControl& operator=(const FakeBrowserControl&) = delete;

    bool Registered() const { return m_cookie != 0; }
    static const FakeControlLog& Log();

private:
    DWORD m_cookie = 0;
};
