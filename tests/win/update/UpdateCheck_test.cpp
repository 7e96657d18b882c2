// The update check on the real main window: which documents open the update
// window, which answer "up to date" when the user asked, and which show
// nothing at all. The window is closed as soon as it shows, before its
// download begins. The number rules themselves are the core's (Version_test).
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/ModalDriver.h"

namespace {

constexpr const char kUpdatePath[] = "/app/stel7/update/update.xml";

std::string Document(const std::string& version, const std::string& address)
{
    return "<update><update_ver>" + version + "</update_ver>" + address + "</update>";
}

std::string Address(const std::string& text)
{
    return "<update_url>" + text + "</update_url>";
}

class UpdateCheckTest : public OpenedMainWindowTest {
protected:
    void SetUp() override
    {
        OpenedMainWindowTest::SetUp();
        // The installed build, whatever the tests before left.
        WriteRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7", "194");
    }

    // Runs one check: through a menu command (ID_HELP_UPDATE, ID_TRAY_UPDATE)
    // or, for 0, the silent one of start-up. True when it opened the update
    // window; a second check asked for meanwhile must return at once.
    bool Check(int nCommand)
    {
        ModalDriver driver({[this](HWND hUpdate) {
            Press(ID_TRAY_UPDATE);
            ::SendMessageA(hUpdate, WM_COMMAND, IDCANCEL, 0);
        }});
        if (nCommand)
            Press(nCommand);
        else
            Dlg().CheckUpdate(0);
        EXPECT_TRUE(WaitForLoads());
        EXPECT_EQ(0, driver.m_nClosed) << "a second update window";
        return driver.m_nStepsRun == 1;
    }
};

// From either menu or the silent check: whatever else the document holds.
TEST_F(UpdateCheckTest, NewerBuildOpensTheUpdateWindow)
{
    const std::string url = Address(StandIn::Url("/app/stel7/update/stel7_update.exe"));
    const struct {
        std::string document;
        int nCommand;
    } newer[] = {
        {Document("195", url), ID_HELP_UPDATE},
        {"<r><a><b><update_ver>195</update_ver></b></a><c>" + url + "</c></r>", ID_TRAY_UPDATE},
        {Document("195", Address("file:///C:/x.exe") + url), 0},  // the last address counts
    };
    for (const auto& c : newer) {
        SCOPED_TRACE(c.document);
        ASSERT_TRUE(StandIn::SetDocument(kUpdatePath, c.document));
        ASSERT_TRUE(StandIn::ClearLog());
        EXPECT_TRUE(Check(c.nCommand));
        EXPECT_EQ(std::vector<std::string>{std::string("GET ") + kUpdatePath}, StandIn::Log());
    }
    EXPECT_TRUE(RecordedBoxes().empty());
}

TEST_F(UpdateCheckTest, OnlyARequestedCheckOfAReadableDocumentSaysUpToDate)
{
    const std::string url = Address(StandIn::Url("/app/stel7/update/stel7_update.exe"));
    const StandIn::FaultCase cases[] = {
        {"", Document("194", url), true},
        // A build in a spelling the vendor's statement never has announces none.
        {"", Document("0195", url), true},
        // Error pages that happen to be well-formed read as documents without elements.
        {"html", "", true},
        {"malformed", "", false},
        {"", Document("195", ""), false},
        {"", Document("195", Address("file:///C:/windows/notepad.exe")), false},
    };
    for (const StandIn::FaultCase& c : cases) {
        SCOPED_TRACE(c.fault + c.document);
        ASSERT_TRUE(StandIn::Serve(kUpdatePath, c));
        ClearRecordedBoxes();
        EXPECT_FALSE(Check(ID_HELP_UPDATE));
        ASSERT_EQ(c.expected ? 1u : 0u, RecordedBoxes().size());
        if (c.expected) {
            EXPECT_EQ("사용 중인 스텔론는 이미 최신 버전입니다.", RecordedBoxes()[0].text);
        }
        EXPECT_FALSE(Check(0));
        EXPECT_EQ(c.expected ? 1u : 0u, RecordedBoxes().size());
    }
}

}  // namespace
