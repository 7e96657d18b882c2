// The settings dialog, opened by its commands on the real main window and
// driven inside its own modal loop: what it shows for the stored values, what
// each way out of it writes, and where the values take effect.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include "settings/SettingsDlg.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/ModalDriver.h"

namespace {

const char kConfirm[] = "새로운 환경설정으로 적용하시겠습니까?";
const char kApplied[] = "새로운 설정이 정상적으로 적용되었습니다.";
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

// Gives the settings key an access list: how a test makes the writes fail.
bool SetKeyAccess(const char* pszSddl)
{
    PSECURITY_DESCRIPTOR pSd = nullptr;
    HKEY hKey = nullptr;
    bool set = ::ConvertStringSecurityDescriptorToSecurityDescriptorA(pszSddl, SDDL_REVISION_1, &pSd, nullptr) &&
               ::RegOpenKeyExA(HKEY_CURRENT_USER, kRegConfigKey, 0, WRITE_DAC, &hKey) == ERROR_SUCCESS;
    set = set && ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pSd) == ERROR_SUCCESS;
    if (hKey) ::RegCloseKey(hKey);
    ::LocalFree(pSd);
    return set;
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
};

TEST_F(SettingsDlgTest, ShowsTheStoredWordsOnlyWhenExactAndOnlyAConfirmedApplyWritesThem)
{
    std::string shown;
    // No values: the defaults.
    EXPECT_TRUE(Open({[&](HWND hDlg) { shown = Shown(hDlg); }, Click(IDC_BTN_CANCEL)}, ID_TRAY_SETTINGS));
    EXPECT_EQ("10 0", shown);
    const struct {
        std::string stored[3];
        const char* shown;
    } stored[] = {
        {{"true", "true", "random"}, "11 3"},  {{"false", "false", "continuity"}, "00 2"},
        {{"TRUE", "True", "Loop"}, "00 -1"},  {{" true", "true ", "none "}, "00 -1"},
    };
    for (const auto& c : stored) {
        Store(c.stored);
        EXPECT_TRUE(Open({[&](HWND hDlg) { shown = Shown(hDlg); }, Click(IDC_BTN_CANCEL)}));
        EXPECT_EQ(c.shown, shown) << c.stored[0] << "/" << c.stored[1] << "/" << c.stored[2];
    }

    // Another program's window comes to the front, then both commands arrive.
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
    EXPECT_TRUE(Open({Click(IDC_BTN_CANCEL)})) << "once closed, the command opens it again";

    // Only a confirmed apply writes, and hides the dialog before saying so.
    const auto key = [](WPARAM nKey) {
        return [nKey](HWND hDlg) { ::PostMessageA(::GetDlgItem(hDlg, IDC_CHK_RUN), WM_KEYDOWN, nKey, 0); };
    };
    const ModalStep closeBox = [](HWND hDlg) { ::SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); };
    const struct {
        int answer;
        std::vector<ModalStep> steps;
        const char* stored;
        size_t boxes;
    } cases[] = {
        {IDYES, {Apply(0, 1, 3)}, "false/true/random", 2},
        {IDYES, {Apply(0, 1, -1)}, "false/true/loop", 2},  // no item: the stored word stays
        {IDNO, {Apply(0, 1, 3), [](HWND hDlg) { EXPECT_EQ("01 3", Shown(hDlg)); }, Click(IDC_BTN_CANCEL)}, "-/-/loop", 1},
        {IDOK, {closeBox}, "-/-/loop", 0},
        {IDOK, {key(VK_ESCAPE), key(VK_RETURN), Click(IDC_BTN_CANCEL)}, "-/-/loop", 0},
    };
    for (const auto& c : cases) {
        const int row = static_cast<int>(&c - cases);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegConfigKey);
        WriteRegistryString(HKEY_CURRENT_USER, kRegConfigKey, "music", "loop");
        ClearRecordedBoxes();
        AnswerNextBoxes({c.answer});
        EXPECT_TRUE(Open(c.steps)) << row;
        EXPECT_EQ(c.stored, Stored()) << row;
        const std::vector<RecordedBox> boxes = RecordedBoxes();
        ASSERT_EQ(c.boxes, boxes.size()) << row;
        for (const RecordedBox& box : boxes) {
            const bool confirm = &box == &boxes[0];
            EXPECT_EQ(confirm ? kConfirm : kApplied, box.text) << row;
            EXPECT_EQ(confirm ? UINT{MB_YESNO | MB_ICONQUESTION} : UINT{MB_OK | MB_ICONINFORMATION}, box.type);
            EXPECT_EQ(confirm, box.ownerVisible) << row;
        }
    }

    // A write that fails is reported and keeps the dialog open for another try.
    Store({"true", "false", "loop"});
    ClearRecordedBoxes();
    ASSERT_TRUE(SetKeyAccess("D:P(A;;KR;;;WD)"));
    AnswerNextBoxes({IDYES, IDOK, IDYES});
    EXPECT_TRUE(Open({Apply(0, 1, 3), [](HWND hDlg) {
                          EXPECT_EQ("true/false/loop", Stored());
                          EXPECT_TRUE(SetKeyAccess("D:P(A;;KA;;;WD)"));
                          Apply(0, 1, 3)(hDlg);
                      }}));
    const std::vector<RecordedBox> boxes = RecordedBoxes();
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ("설정을 저장하지 못했습니다.", boxes[1].text);
    EXPECT_TRUE(boxes[1].ownerVisible);
    EXPECT_EQ(kApplied, boxes[3].text);
    EXPECT_EQ("false/true/random", Stored());
}

}  // namespace
