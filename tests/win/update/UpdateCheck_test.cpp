// The update check on the real main window: which documents open the update
// window, which answer "up to date" when the user asked, and which show
// nothing at all. The window is closed as soon as it shows, before its
// download begins.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Registry.h"
#include "res/resource.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/update/ModalDriver.h"

namespace {

constexpr const char kUpdatePath[] = "/app/stel7/update/update.xml";
constexpr const char kUpToDate[] = "사용 중인 스텔론는 이미 최신 버전입니다.";

std::string Document(const std::string& elements)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><update>" + elements + "</update>";
}

std::string Version(const std::string& text)
{
    return "<update_ver>" + text + "</update_ver>";
}

std::string Address(const std::string& text)
{
    return "<update_url>" + text + "</update_url>";
}

class UpdateCheckTest : public OpenedMainWindowTest {
protected:
    void TearDown() override
    {
        WriteRegistryString(HKEY_CURRENT_USER, kRegUpdateKey, "stel7", "194");
        OpenedMainWindowTest::TearDown();
    }

    // Runs one check: through a menu command (ID_HELP_UPDATE, ID_TRAY_UPDATE)
    // or, for 0, the silent one of start-up. True when it opened the update
    // window; a second check asked for meanwhile must return at once.
    bool Check(int nCommand)
    {
        bool bOpened = false;
        const ModalDriver driver([&] {
            const HWND hUpdate = FindUpdateWindow();
            if (!hUpdate) return false;
            bOpened = true;
            Press(ID_TRAY_UPDATE);
            ::SendMessageA(hUpdate, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        if (nCommand)
            Press(nCommand);
        else
            Dlg().CheckUpdate(0);
        return bOpened;
    }

    // The check fetched the document once and nothing else.
    void ExpectOneFetch()
    {
        EXPECT_EQ(std::vector<std::string>{std::string("GET ") + kUpdatePath}, StandIn::Log());
        ASSERT_TRUE(StandIn::ClearLog());
    }

    const std::string m_strUrl = StandIn::Url("/app/stel7/update/stel7_update.exe");
};

// The number rules themselves are the core's (Version_test); here, the way
// from the document to the window.
TEST_F(UpdateCheckTest, AnnouncedNewerBuildOpensTheWindowSilentlyOrOnRequest)
{
    const struct {
        const char* name;
        std::string document;
        int nCommand;
    } cases[] = {
        {"menu, trailing text", Document(Version("195abc") + Address(m_strUrl)), ID_HELP_UPDATE},
        {"tray, any depth and root", "<r><a><b>" + Version("195") + "</b></a><c>" + Address(m_strUrl) + "</c></r>",
         ID_TRAY_UPDATE},
        {"silent, last address counts", Document(Version("195") + Address("file:///C:/x.exe") + Address(m_strUrl)),
         0},
        {"silent, last build counts", Document(Version("100") + Version("195") + Address(m_strUrl)), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StandIn::SetDocument(kUpdatePath, c.document));
        EXPECT_TRUE(Check(c.nCommand));
        ExpectOneFetch();
    }
    EXPECT_TRUE(RecordedBoxes().empty());

    // Nothing recorded as installed counts as build 0.
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kRegUpdateKey, "stel7");
    ASSERT_TRUE(StandIn::SetDocument(kUpdatePath, Document(Version("1") + Address(m_strUrl))));
    EXPECT_TRUE(Check(0));
}

TEST_F(UpdateCheckTest, OnlyARequestedCheckOfAReadableDocumentSaysUpToDate)
{
    const struct {
        const char* name;
        const char* fault;
        std::string document;
        bool bUpToDate;
    } cases[] = {
        {"same build", "", Document(Version("194") + Address(m_strUrl)), true},
        {"last build counts", "", Document(Version("200") + Version("100") + Address(m_strUrl)), true},
        {"no build", "", Document(Address(m_strUrl)), true},
        {"negative build", "", Document(Version("-195") + Address(m_strUrl)), true},
        {"no digits", "", Document(Version("new") + Address(m_strUrl)), true},
        // Error pages that happen to be well-formed read as documents without elements.
        {"error page", "html", "", true},
        {"not found page", "404", "", true},
        {"malformed", "malformed", "", false},
        {"empty", "empty", "", false},
        {"closed without answer", "close", "", false},
        {"newer without address", "", Document(Version("195")), false},
        {"newer with empty address", "", Document(Version("195") + Address(m_strUrl) + Address("")), false},
        {"newer with file address", "", Document(Version("195") + Address("file:///C:/windows/notepad.exe")), false},
        {"newer on a share", "", Document(Version("195") + Address("\\\\127.0.0.1\\s\\stel7_update.exe")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(StandIn::Reset());
        if (*c.fault) {
            ASSERT_TRUE(StandIn::SetFault(kUpdatePath, c.fault));
        } else {
            ASSERT_TRUE(StandIn::SetDocument(kUpdatePath, c.document));
        }
        ClearRecordedBoxes();
        EXPECT_FALSE(Check(ID_HELP_UPDATE));
        if (c.bUpToDate) {
            ASSERT_EQ(1u, RecordedBoxes().size());
            const RecordedBox box = RecordedBoxes()[0];
            EXPECT_EQ(kUpToDate, box.text);
            EXPECT_EQ("스텔론", box.caption);
            EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), box.type);
            EXPECT_TRUE(box.ownedByMain);
        } else {
            EXPECT_TRUE(RecordedBoxes().empty());
        }
        EXPECT_FALSE(Check(0));
        EXPECT_EQ(c.bUpToDate ? 1u : 0u, RecordedBoxes().size());
    }
}

}  // namespace
