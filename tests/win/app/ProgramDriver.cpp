#include "tests/win/app/ProgramDriver.h"

namespace {

struct DialogSearch {
    const std::function<bool(HWND)>* pMatch;
    HWND hFound;
};

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<DialogSearch*>(lParam);
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (!::IsWindowVisible(hWnd) || std::string(className) != "#32770" || !(*pSearch->pMatch)(hWnd)) return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

}  // namespace

bool StartProgram(ChildProcess& program)
{
    // The test program sits in <build>\tests\win.
    return program.Start(TestProgramDir() + "..\\..\\app\\stel7.exe");
}

HWND WaitForDialog(const ChildProcess& program, const std::function<bool(HWND)>& match)
{
    DialogSearch search = {&match, nullptr};
    PumpUntil([&] { return !::EnumThreadWindows(program.ThreadId(), &MatchDialog, reinterpret_cast<LPARAM>(&search)); },
              10000);
    return search.hFound;
}

bool AnswerBox(const ChildProcess& program, const char* text, int nId)
{
    const HWND hBox = WaitForDialog(program, [text](HWND hWnd) {
        char shown[256] = {};
        ::GetDlgItemTextA(hWnd, 0xFFFF, shown, sizeof(shown));
        return std::string(shown) == text;
    });
    return hBox && ::PostMessageA(hBox, WM_COMMAND, nId, 0);
}

std::string Caption(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

bool Answers(HWND hWnd)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

HWND ProgramDriverTest::StartAndWaitForStartUp(ChildProcess& program)
{
    if (!StartProgram(program)) return nullptr;
    if (!PumpUntil([] { return !StandIn::Log("GET /app/stel7/advert/").empty(); }, 20000)) return nullptr;
    return WaitForDialog(program);
}
