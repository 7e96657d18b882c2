// The settings dialog, opened by its menu and tray commands on the real main
// window and driven inside its own modal loop: what it shows for the stored
// values, what each way of leaving it writes, and where the values take effect.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/Registry.h"
#include "framework/WinApp.h"
#include "player/VideoDlg.h"
#include "res/resource.h"
#include "settings/SettingsDlg.h"
#include "tests/win/app/OpenedMainWindowTest.h"
#include "tests/win/support/BoxAnswers.h"
#include "tests/win/support/ModalDriver.h"

namespace {

const std::vector<std::string> kPlayModeItems = {"한곡 재생", "한곡 반복 재생", "전체 연속 재생", "전체 랜덤 재생"};
const char kConfirm[] = "새로운 환경설정으로 적용하시겠습니까?";
const char kApplied[] = "새로운 설정이 정상적으로 적용되었습니다.";
const char kNotSaved[] = "설정을 저장하지 못했습니다.";

// What the dialog shows.
struct Shown {
    bool run;
    bool topmost;
    int item;
    bool operator==(const Shown& o) const { return run == o.run && topmost == o.topmost && item == o.item; }
};

std::ostream& operator<<(std::ostream& os, const Shown& s)
{
    return os << "{run " << s.run << ", topmost " << s.topmost << ", item " << s.item << "}";
}

CSettingsDlg* Settings(HWND hDlg)
{
    return dynamic_cast<CSettingsDlg*>(CWnd::FromHandlePermanent(hDlg));
}

Shown ShownBy(HWND hDlg)
{
    CSettingsDlg* pDlg = Settings(hDlg);
    if (!pDlg) return {false, false, -99};
    return {pDlg->m_chkRun.GetCheck() == BST_CHECKED, pDlg->m_chkTopmost.GetCheck() == BST_CHECKED,
            pDlg->m_cbMusic.GetCurSel()};
}

// Sets the controls as a user would leave them.
void Choose(HWND hDlg, const Shown& choice)
{
    CSettingsDlg* pDlg = Settings(hDlg);
    ASSERT_TRUE(pDlg);
    pDlg->m_chkRun.SetCheck(choice.run ? BST_CHECKED : BST_UNCHECKED);
    pDlg->m_chkTopmost.SetCheck(choice.topmost ? BST_CHECKED : BST_UNCHECKED);
    pDlg->m_cbMusic.SetCurSel(choice.item);
}

void Click(HWND hDlg, int nId)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nId)));
}

// A value of the settings key as stored, or nothing when there is none.
std::optional<std::string> Stored(const char* pszName)
{
    char szValue[2048] = {};
    DWORD dwSize = sizeof(szValue) - 1;
    if (::RegGetValueA(HKEY_CURRENT_USER, kRegConfigKey, pszName, RRF_RT_REG_SZ, nullptr, szValue, &dwSize) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(szValue);
}

void Store(const char* pszName, const std::string& value)
{
    ASSERT_EQ(1, WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, pszName, value.c_str()));
}

// Makes the settings key readable only, the way a locked-down profile would,
// and gives its access back when it goes.
class ReadOnlySettingsKey {
public:
    ReadOnlySettingsKey()
    {
        HKEY hKey = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRegConfigKey, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr,
                              &hKey, nullptr) != ERROR_SUCCESS) {
            return;
        }
        DWORD dwSize = 0;
        ::RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, nullptr, &dwSize);
        m_original.resize(dwSize);
        PSECURITY_DESCRIPTOR pReadOnly = nullptr;
        m_bLocked = !m_original.empty() &&
                    ::RegGetKeySecurity(hKey, DACL_SECURITY_INFORMATION, m_original.data(), &dwSize) == ERROR_SUCCESS &&
                    ::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                            &pReadOnly, nullptr) &&
                    ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pReadOnly) == ERROR_SUCCESS;
        if (pReadOnly) ::LocalFree(pReadOnly);
        ::RegCloseKey(hKey);
    }
    ~ReadOnlySettingsKey() { Unlock(); }

    bool Locked() const { return m_bLocked; }
    void Unlock()
    {
        if (!m_bLocked) return;
        HKEY hKey = nullptr;
        // The owner may always change the access list.
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRegConfigKey, 0, WRITE_DAC, &hKey) == ERROR_SUCCESS) {
            ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, m_original.data());
            ::RegCloseKey(hKey);
        }
        m_bLocked = false;
    }

private:
    std::vector<BYTE> m_original;
    bool m_bLocked = false;
};

class SettingsDlgTest : public OpenedMainWindowTest {
protected:
    void SetUp() override
    {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        OpenedMainWindowTest::SetUp();
        // As in the program: a dialog made without a parent is owned by the main window.
        m_app.m_pMainWnd = &Dlg();
    }
    void TearDown() override
    {
        m_harness.Close();
        m_app.m_pMainWnd = nullptr;
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        OpenedMainWindowTest::TearDown();
    }

    // Runs a settings command; the steps drive the dialog it opens. Returns
    // the number of steps that ran before the dialog ended.
    size_t Open(std::vector<ModalStep> steps, int nCommand = ID_TOOLS_SETTINGS)
    {
        ModalDriver driver(std::move(steps));
        Dlg().SendMessage(WM_COMMAND, static_cast<WPARAM>(nCommand), 0);
        EXPECT_EQ(0, driver.ClosedByDriver()) << "a dialog was left open";
        EXPECT_TRUE(::IsWindowEnabled(Dlg().m_hWnd));
        return driver.StepsRun();
    }

    // Opens the dialog from the given command and reads what it shows.
    Shown OpenAndRead(int nCommand = ID_TOOLS_SETTINGS)
    {
        Shown shown = {false, false, -99};
        Open({[&](HWND hDlg) {
                  shown = ShownBy(hDlg);
                  Click(hDlg, IDC_BTN_CANCEL);
              }},
             nCommand);
        return shown;
    }

    CWinApp m_app;
};

TEST_F(SettingsDlgTest, BothCommandsOpenTheStoredDefaultsWithTheTemplatesFourItems)
{
    std::vector<std::string> items;
    bool mainDisabled = false;
    for (const int command : {ID_TOOLS_SETTINGS, ID_TRAY_SETTINGS}) {
        const size_t steps = Open({[&](HWND hDlg) {
                                       mainDisabled = !::IsWindowEnabled(Dlg().m_hWnd);
                                       EXPECT_EQ((Shown{true, false, 0}), ShownBy(hDlg));
                                       items.clear();
                                       CComboBox& combo = Settings(hDlg)->m_cbMusic;
                                       for (int i = 0; i < combo.GetCount(); ++i) {
                                           char szItem[64] = {};
                                           combo.SendMessage(CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
                                           items.push_back(szItem);
                                       }
                                       Click(hDlg, IDC_BTN_CANCEL);
                                   }},
                                  command);
        EXPECT_EQ(1u, steps) << command;
        EXPECT_TRUE(mainDisabled) << command;
        EXPECT_EQ(kPlayModeItems, items) << command;
    }
    EXPECT_EQ(std::nullopt, Stored("run"));
    EXPECT_EQ(std::nullopt, Stored("topmost"));
    EXPECT_EQ(std::nullopt, Stored("music"));
}

TEST_F(SettingsDlgTest, OnlyTheExactStoredWordsAreShown)
{
    const std::string tooLong(1000, 'x');
    const struct {
        std::string run, topmost, music;
        Shown shown;
    } cases[] = {
        {"true", "true", "random", {true, true, 3}},
        {"false", "false", "continuity", {false, false, 2}},
        {"true", "false", "loop", {true, false, 1}},
        {"TRUE", "True", "Loop", {false, false, -1}},
        {" true", "true ", "none ", {false, false, -1}},
        {"yes", "1", "", {false, false, -1}},
        // Longer than a value may be: read as the defaults.
        {tooLong, tooLong, tooLong, {true, false, 0}},
    };
    for (const auto& c : cases) {
        Store("run", c.run);
        Store("topmost", c.topmost);
        Store("music", c.music);
        EXPECT_EQ(c.shown, OpenAndRead()) << c.run.substr(0, 10) << "/" << c.topmost.substr(0, 10) << "/"
                                          << c.music.substr(0, 10);
    }
}

TEST_F(SettingsDlgTest, ConfirmedApplyWritesHidesTheDialogThenSaysSo)
{
    Store("music", "shuffle");
    BoxAnswers answers({IDYES});
    EXPECT_EQ(1u, Open({[](HWND hDlg) {
                  EXPECT_EQ((Shown{true, false, -1}), ShownBy(hDlg));
                  Choose(hDlg, {false, true, -1});
                  Click(hDlg, IDC_BTN_APPLY);
              }}));
    // No item selected: the unknown word stays.
    EXPECT_EQ("false", Stored("run"));
    EXPECT_EQ("true", Stored("topmost"));
    EXPECT_EQ("shuffle", Stored("music"));

    answers.Add(IDYES);
    Open({[](HWND hDlg) {
        EXPECT_EQ((Shown{false, true, -1}), ShownBy(hDlg));
        Choose(hDlg, {true, false, 2});
        Click(hDlg, IDC_BTN_APPLY);
    }});
    EXPECT_EQ("true", Stored("run"));
    EXPECT_EQ("false", Stored("topmost"));
    EXPECT_EQ("continuity", Stored("music"));

    const std::vector<AnsweredBox>& boxes = answers.Boxes();
    ASSERT_EQ(4u, boxes.size());
    for (const AnsweredBox& box : boxes) EXPECT_EQ("스텔론", box.caption);
    EXPECT_EQ(kConfirm, boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes[0].type);
    EXPECT_TRUE(boxes[0].ownerVisible);
    EXPECT_EQ(kApplied, boxes[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes[1].type);
    // The settings dialog is off the screen before its success box shows.
    EXPECT_FALSE(boxes[1].ownerVisible);
    EXPECT_EQ(boxes[0].text, boxes[2].text);
    EXPECT_EQ(boxes[1].text, boxes[3].text);
}

TEST_F(SettingsDlgTest, EveryOtherWayOutWritesNothing)
{
    const Shown changed = {false, true, 3};
    const auto postKey = [](WPARAM key) {
        return [key](HWND hDlg) { ::PostMessageA(::GetDlgItem(hDlg, IDC_CHK_RUN), WM_KEYDOWN, key, 0); };
    };
    const struct {
        const char* way;
        std::vector<int> answers;
        std::vector<ModalStep> steps;
        size_t stepsRun;
        std::vector<std::string> boxes;
    } cases[] = {
        {"cancel button", {}, {[](HWND hDlg) { Click(hDlg, IDC_BTN_CANCEL); }}, 1, {}},
        {"close box", {}, {[](HWND hDlg) { ::SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); }}, 1, {}},
        {"refused confirmation, then cancel",
         {IDNO},
         {[](HWND hDlg) { Click(hDlg, IDC_BTN_APPLY); },
          [&](HWND hDlg) {
              EXPECT_TRUE(::IsWindowVisible(hDlg));
              EXPECT_EQ(changed, ShownBy(hDlg)) << "the user's changes stay on screen";
              Click(hDlg, IDC_BTN_CANCEL);
          }},
         2,
         {kConfirm}},
        {"Escape and Enter",
         {},
         {postKey(VK_ESCAPE), postKey(VK_RETURN), [](HWND hDlg) { Click(hDlg, IDC_BTN_CANCEL); }},
         3,
         {}},
    };
    for (const auto& c : cases) {
        BoxAnswers answers;
        for (const int answer : c.answers) answers.Add(answer);
        std::vector<ModalStep> steps = {[&](HWND hDlg) { Choose(hDlg, changed); }};
        steps.insert(steps.end(), c.steps.begin(), c.steps.end());
        EXPECT_EQ(1 + c.stepsRun, Open(steps)) << c.way;
        EXPECT_EQ(c.boxes, answers.Texts()) << c.way;
        EXPECT_EQ(std::nullopt, Stored("run")) << c.way;
        EXPECT_EQ(std::nullopt, Stored("topmost")) << c.way;
        EXPECT_EQ(std::nullopt, Stored("music")) << c.way;
    }
}

TEST_F(SettingsDlgTest, FailedWriteIsReportedAndKeepsTheDialogOpen)
{
    Store("music", "loop");
    ReadOnlySettingsKey readOnly;
    ASSERT_TRUE(readOnly.Locked());
    BoxAnswers answers({IDYES, IDOK, IDYES});
    const size_t steps = Open({[](HWND hDlg) {
                                   Choose(hDlg, {false, true, 3});
                                   Click(hDlg, IDC_BTN_APPLY);
                               },
                               [&](HWND hDlg) {
                                   EXPECT_TRUE(::IsWindowVisible(hDlg));
                                   EXPECT_EQ(std::nullopt, Stored("run"));
                                   readOnly.Unlock();
                                   Click(hDlg, IDC_BTN_APPLY);
                               }});
    EXPECT_EQ(2u, steps);
    const std::vector<AnsweredBox>& boxes = answers.Boxes();
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ(kConfirm, boxes[0].text);
    EXPECT_EQ(kNotSaved, boxes[1].text);
    EXPECT_EQ("스텔론", boxes[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes[1].type);
    EXPECT_TRUE(boxes[1].ownerVisible);
    EXPECT_EQ(kConfirm, boxes[2].text);
    EXPECT_EQ(kApplied, boxes[3].text);
    EXPECT_EQ("random", Stored("music"));
}

TEST_F(SettingsDlgTest, SecondCommandBringsTheOpenDialogForward)
{
    HWND hForeground = nullptr;
    HWND hSettings = nullptr;
    ModalDriver driver({[&](HWND hDlg) {
        hSettings = hDlg;
        // Another program's window comes to the front meanwhile.
        const HWND hOther = ::CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                              nullptr, nullptr, nullptr);
        ::SetForegroundWindow(hOther);
        Dlg().SendMessage(WM_COMMAND, ID_TRAY_SETTINGS, 0);
        Dlg().SendMessage(WM_COMMAND, ID_TOOLS_SETTINGS, 0);
        hForeground = ::GetForegroundWindow();
        ::DestroyWindow(hOther);
        Click(hDlg, IDC_BTN_CANCEL);
    }});
    Dlg().SendMessage(WM_COMMAND, ID_TRAY_SETTINGS, 0);
    EXPECT_EQ(1u, driver.StepsRun());
    EXPECT_EQ(0, driver.ClosedByDriver()) << "a second dialog opened";
    EXPECT_EQ(hSettings, hForeground);
    // Once closed, the command opens a dialog again.
    EXPECT_EQ((Shown{true, false, 0}), OpenAndRead(ID_TRAY_SETTINGS));
}

TEST_F(SettingsDlgTest, AppliedValuesTakeEffectWhereTheyAreNextRead)
{
    ASSERT_GE(Dlg().m_listVideo.GetItemCount(), 1);
    const auto playVideo = [this] {
        NMITEMACTIVATE item = {};
        item.hdr = {Dlg().m_listVideo.m_hWnd, IDC_LIST_VIDEO, static_cast<UINT>(NM_DBLCLK)};
        item.iItem = 0;
        Dlg().SendMessage(WM_NOTIFY, IDC_LIST_VIDEO, reinterpret_cast<LPARAM>(&item));
        return Dlg().m_pVideoDlg ? Dlg().m_pVideoDlg->m_hWnd : nullptr;
    };
    const auto topmost = [](HWND hWnd) { return (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    const HWND hOpenVideo = playVideo();
    ASSERT_TRUE(hOpenVideo);
    EXPECT_FALSE(topmost(hOpenVideo));

    BoxAnswers answers({IDYES});
    Open({[](HWND hDlg) {
        Choose(hDlg, {true, true, 1});
        Click(hDlg, IDC_BTN_APPLY);
    }});
    ASSERT_EQ("true", Stored("topmost"));
    // The open video window keeps its place; the next one opens topmost.
    EXPECT_FALSE(topmost(hOpenVideo));
    Press(IDC_BTN_STOP);
    const HWND hNextVideo = playVideo();
    ASSERT_TRUE(hNextVideo);
    EXPECT_TRUE(topmost(hNextVideo));
    Press(IDC_BTN_STOP);

    // The end of a track reads the new mode: "loop" plays it again.
    ASSERT_TRUE(StandIn::ServeFile("/app/stel7/config/music.xml", "music_short.xml"));
    Dlg().LoadMusicChart();
    ASSERT_EQ(3, Dlg().m_listMusic.GetItemCount());
    Dlg().m_nSection = 3;
    NMITEMACTIVATE track = {};
    track.hdr = {Dlg().m_listMusic.m_hWnd, IDC_LIST_MUSIC, static_cast<UINT>(NM_DBLCLK)};
    track.iItem = 1;
    Dlg().SendMessage(WM_NOTIFY, IDC_LIST_MUSIC, reinterpret_cast<LPARAM>(&track));
    for (int i = 0; i < 3; ++i) Dlg().SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(1, Dlg().m_nMusicIndex);
    EXPECT_EQ(CString("스텔론 - 둘째곡 - 가수나(00:00/00:03)"), Dlg().GetWindowText());
}

TEST_F(SettingsDlgTest, DraggingTheBackgroundMovesTheDialog)
{
    RECT before = {};
    RECT after = {};
    POINT start = {6, 6};  // background, above the first group box
    POINT end = {};
    Open({[&](HWND hDlg) {
              ::GetWindowRect(hDlg, &before);
              ::ClientToScreen(hDlg, &start);
              ::SetCursorPos(start.x, start.y);
              INPUT input[3] = {};
              for (INPUT& in : input) in.type = INPUT_MOUSE;
              input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
              input[1].mi.dx = 40;
              input[1].mi.dy = 30;
              input[1].mi.dwFlags = MOUSEEVENTF_MOVE;
              input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
              ::SendInput(3, input, sizeof(INPUT));
          },
          [](HWND) {},
          [&](HWND hDlg) {
              ::GetCursorPos(&end);
              ::GetWindowRect(hDlg, &after);
              Click(hDlg, IDC_BTN_CANCEL);
          }});
    ASSERT_NE(start.x, end.x);
    EXPECT_EQ(before.left + (end.x - start.x), after.left);
    EXPECT_EQ(before.top + (end.y - start.y), after.top);
}

}  // namespace
