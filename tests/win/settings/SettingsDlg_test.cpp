// The settings dialog, opened by its commands on the real main window and
// driven inside its own modal loop: what it shows for the stored values, what
// each way out of it writes, and where the values take effect.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/SettingsDlg.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/ImportPatch.h"
#include "tests/win/support/ModalDriver.h"

namespace {

const char kConfirm[] = "새로운 환경설정으로 적용하시겠습니까?";
const char kApplied[] = "새로운 설정이 정상적으로 적용되었습니다.";
const char kNotSaved[] = "설정을 저장하지 못했습니다.";
const char* const kNames[] = {"run", "topmost", "music"};

CSettingsDlg& Settings(HWND hDlg)
{
    return *dynamic_cast<CSettingsDlg*>(CWnd::FromHandlePermanent(hDlg));
}

// The controls as "<run><topmost> <item>": "10 2" is run ticked, topmost not, item 2.
std::string Shown(HWND hDlg)
{
    CSettingsDlg& dlg = Settings(hDlg);
    return std::to_string(dlg.m_chkRun.GetCheck()) + std::to_string(dlg.m_chkTopmost.GetCheck()) + " " +
           std::to_string(dlg.m_cbMusic.GetCurSel());
}

ModalStep Click(int nId)
{
    return [nId](HWND hDlg) { ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0); };
}

// Sets the controls as a user would, then presses the apply button.
ModalStep Apply(int nRun, int nTopmost, int nItem)
{
    return [=](HWND hDlg) {
        Settings(hDlg).m_chkRun.SetCheck(nRun);
        Settings(hDlg).m_chkTopmost.SetCheck(nTopmost);
        Settings(hDlg).m_cbMusic.SetCurSel(nItem);
        Click(IDC_BTN_APPLY)(hDlg);
    };
}

// "run/topmost/music" as stored, "-" for a missing value.
std::string Stored()
{
    std::string all;
    for (const char* pszName : kNames) {
        const std::string value = RegistryText(kRegConfigKey, pszName);
        all += (all.empty() ? "" : "/") + (value.empty() ? "-" : value);
    }
    return all;
}

void Store(const std::string (&values)[3])
{
    for (int i = 0; i < 3; ++i) WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, kNames[i], values[i].c_str());
}

// Fails the writes of one value, or of all for "*", as a registry that refuses them would.
const char* g_pszRefused = nullptr;
ImportPatch* g_pRegistryPatch = nullptr;

LONG WINAPI RefuseValues(HKEY hKey, LPCSTR pszName, DWORD dwReserved, DWORD dwType, const BYTE* pData, DWORD cbData)
{
    if (pszName && g_pszRefused && (std::string(g_pszRefused) == "*" || std::string(pszName) == g_pszRefused))
        return ERROR_ACCESS_DENIED;
    return reinterpret_cast<decltype(&::RegSetValueExA)>(g_pRegistryPatch->Original())(hKey, pszName, dwReserved,
                                                                                      dwType, pData, cbData);
}

class SettingsDlgTest : public OpenedMainWindowTest {
protected:
    // Runs a settings command whose dialog the steps drive; true when all
    // steps ran and ended the dialog, and the main window is usable again.
    bool Open(std::vector<ModalStep> steps, int nCommand = ID_TOOLS_SETTINGS)
    {
        const size_t count = steps.size();
        ModalDriver driver(std::move(steps));
        Dlg().SendMessage(WM_COMMAND, static_cast<WPARAM>(nCommand), 0);
        return driver.m_nStepsRun == count && driver.m_nClosed == 0 && ::IsWindowEnabled(Dlg().m_hWnd);
    }
    // What the dialog shows on opening, with what is stored.
    std::string ShownOnOpening(int nCommand = ID_TOOLS_SETTINGS)
    {
        std::string shown;
        EXPECT_TRUE(Open({[&](HWND hDlg) { shown = Shown(hDlg); }, Click(IDC_BTN_CANCEL)}, nCommand));
        return shown;
    }
    // The texts of the boxes shown, in order, each checked for its kind and owner.
    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> texts;
        for (const RecordedBox& box : RecordedBoxes()) {
            const bool confirm = box.text == kConfirm;
            EXPECT_EQ(confirm ? UINT{MB_YESNO | MB_ICONQUESTION} : UINT{MB_OK | MB_ICONINFORMATION}, box.type);
            // The confirmation and a failure stand over the dialog; success once it is gone.
            EXPECT_EQ(box.text != kApplied, box.ownerVisible) << box.text;
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST_F(SettingsDlgTest, ShowsTheDefaultsOrOnlyTheExactStoredWords)
{
    EXPECT_EQ("10 0", ShownOnOpening(ID_TRAY_SETTINGS));
    const struct {
        std::string stored[3];
        const char* shown;
    } cases[] = {
        {{"true", "true", "random"}, "11 3"},  {{"false", "false", "continuity"}, "00 2"},
        {{"TRUE", "True", "Loop"}, "00 -1"},  {{" true", "true ", "none "}, "00 -1"},
    };
    for (const auto& c : cases) {
        Store(c.stored);
        EXPECT_EQ(c.shown, ShownOnOpening()) << c.stored[0] << "/" << c.stored[1] << "/" << c.stored[2];
    }
}

// Another program's window comes to the front, then both commands arrive.
TEST_F(SettingsDlgTest, SecondCommandBringsTheOpenDialogToTheFrontInsteadOfAnother)
{
    HWND hOther = nullptr;
    bool inFront = false;
    EXPECT_TRUE(Open({[&](HWND) {
                          hOther = ::CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                                     nullptr, nullptr, nullptr);
                          ::SetForegroundWindow(hOther);
                          Dlg().PostMessage(WM_COMMAND, ID_TRAY_SETTINGS);
                          Dlg().PostMessage(WM_COMMAND, ID_TOOLS_SETTINGS);
                      },
                      [&](HWND hDlg) {
                          inFront = ::GetForegroundWindow() == hDlg && !ModalDriver::FindModal(hDlg);
                          ::DestroyWindow(hOther);
                      },
                      Click(IDC_BTN_CANCEL)},
                     ID_TRAY_SETTINGS));
    EXPECT_TRUE(inFront);
}

// Without an item chosen the stored play mode stays; the dialog is gone before it says so.
TEST_F(SettingsDlgTest, ConfirmedApplyWritesTheChoicesAndSaysSo)
{
    for (const auto& [nItem, stored] : {std::pair<int, const char*>{3, "false/true/random"}, {-1, "false/true/loop"}}) {
        Store({"true", "false", "loop"});
        ClearRecordedBoxes();
        AnswerNextBoxes({IDYES});
        EXPECT_TRUE(Open({Apply(0, 1, nItem)})) << nItem;
        EXPECT_EQ(stored, Stored()) << nItem;
        EXPECT_EQ((std::vector<std::string>{kConfirm, kApplied}), Boxes()) << nItem;
    }
}

// Declined, the choices stay on screen; closed any way, the dialog opens again.
TEST_F(SettingsDlgTest, DeclinedApplyCloseBoxEscapeAndEnterWriteNothing)
{
    const auto key = [](WPARAM nKey) {
        return [nKey](HWND hDlg) { ::PostMessageA(::GetDlgItem(hDlg, IDC_CHK_RUN), WM_KEYDOWN, nKey, 0); };
    };
    const ModalStep closeBox = [](HWND hDlg) { ::SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); };
    Store({"true", "false", "loop"});
    AnswerNextBoxes({IDNO});
    std::string shown;
    EXPECT_TRUE(Open({Apply(0, 1, 3), [&](HWND hDlg) { shown = Shown(hDlg); }, Click(IDC_BTN_CANCEL)}));
    EXPECT_EQ("01 3", shown);
    EXPECT_EQ((std::vector<std::string>{kConfirm}), Boxes());
    ClearRecordedBoxes();
    EXPECT_TRUE(Open({[](HWND hDlg) { Settings(hDlg).m_chkRun.SetCheck(0); }, closeBox}));
    EXPECT_TRUE(Open({[](HWND hDlg) { Settings(hDlg).m_chkRun.SetCheck(0); }, key(VK_ESCAPE), key(VK_RETURN),
                      Click(IDC_BTN_CANCEL)}));
    EXPECT_EQ("true/false/loop", Stored());
    EXPECT_TRUE(RecordedBoxes().empty());
}

// Refused, all three or any one of them with the others written: said, and
// the dialog stays for another try.
TEST_F(SettingsDlgTest, RefusedWritesAreReportedAndTheDialogStaysForAnotherTry)
{
    ImportPatch patch("ADVAPI32.dll", "RegSetValueExA", reinterpret_cast<void*>(&RefuseValues));
    ASSERT_TRUE(patch.Original());
    g_pRegistryPatch = &patch;
    for (const char* pszRefused : {"*", "run", "topmost", "music"}) {
        g_pszRefused = nullptr;
        Store({"true", "false", "loop"});
        g_pszRefused = pszRefused;
        ClearRecordedBoxes();
        AnswerNextBoxes({IDYES, IDOK, IDYES});
        EXPECT_TRUE(Open({Apply(0, 1, 3), [pszRefused](HWND hDlg) {
                              if (*pszRefused == '*') {
                                  EXPECT_EQ("true/false/loop", Stored());
                              }
                              g_pszRefused = nullptr;
                              Apply(0, 1, 3)(hDlg);
                          }})) << pszRefused;
        EXPECT_EQ((std::vector<std::string>{kConfirm, kNotSaved, kConfirm, kApplied}), Boxes()) << pszRefused;
        EXPECT_EQ("false/true/random", Stored()) << pszRefused;
    }
    g_pRegistryPatch = nullptr;
}

}  // namespace
