// The benchmark's driver (tools/bench.sh runs it under Wine): starts stel7.exe
// and the bare dialog the same way, finds their shown windows, drives stel7 with
// posted messages, reads its lists from outside and prints each figure with its
// noise, its ratio and its goal; then what holds stel7's working set.
//
//     BenchDriver.exe [runs [switches]]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <wininet.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "BuildConfig.h"
#include "feeds/net/InternetHandle.h"
#include "res/resource.h"

namespace {

const DWORD kWaitMs = 20000;   // longest wait for one step; a slower step fails the run
const DWORD kSettleMs = 500;  // background requests and their threads end within this
const int kVideoRows = 30;
const int kMusicRows = 20;
// Every video of the stand-in's catalogue has a comma among its keywords, so
// this term finds a full page of 30.
const char kSearchTerm[] = ",";
const char kMusicUrl[] = "http://" STEL7_VENDOR_HOST "/app/stel7/config/music.xml";
const char kSearchUrl[] = "http://" STEL7_GDATA_HOST "/feeds/api/videos?max-results=30&q=%2C";

struct Section {
    int button;
    int list;
    int rows;             // 0: as many as the start-up search found (the same term)
    const char* request;  // the request that follows the emptying of the list
};
const Section kSections[] = {
    {IDC_BTN_SECTION_CHANNEL, IDC_LIST_CHANNEL, 15, "GET /rss/user/"},
    {IDC_BTN_SECTION_MUSIC, IDC_LIST_MUSIC, kMusicRows, "GET /app/stel7/config/music.xml"},
    {IDC_BTN_SECTION_HUMOR, IDC_LIST_HUMOR, 12, "GET /zbxe/comedy/rss"},
    // The video list is filled before the micro-blog search is asked for.
    {IDC_BTN_SECTION_SEARCH, IDC_LIST_VIDEO, 0, "GET /search.atom"},
};

double NowMs()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value;
        ::QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

template <class Ready>
void WaitFor(Ready ready, const std::string& what)
{
    const double end = NowMs() + kWaitMs;
    while (!ready()) {
        if (NowMs() > end) throw std::runtime_error("timed out waiting for " + what);
        ::Sleep(1);
    }
}

struct Spread {
    double median, low, high;
};

Spread SpreadOf(std::vector<double> values)
{
    if (values.empty()) return {0, 0, 0};
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return {(values[(n - 1) / 2] + values[n / 2]) / 2, values.front(), values.back()};
}

// Plain WinInet GETs from this process: the raw fetch the program's steps are
// compared with, and the stand-in's request log.
class Web {
public:
    Web() : m_session(::InternetOpenA("stel7 bench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)) {}

    std::string Get(const std::string& url) const
    {
        const InternetHandle request(::InternetOpenUrlA(m_session.Get(), url.c_str(), nullptr, 0,
                                                        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
        if (!request) throw std::runtime_error("cannot GET " + url);
        std::string body;
        char chunk[8192];
        DWORD read = 0;
        while (::InternetReadFile(request.Get(), chunk, sizeof chunk, &read) && read > 0) body.append(chunk, read);
        return body;
    }
    void ClearLog() const { Get("http://" STEL7_VENDOR_HOST "/__standin/clear"); }
    bool Logged(const std::string& prefix) const
    {
        return ("\n" + Get("http://" STEL7_VENDOR_HOST "/__standin/log")).find("\n" + prefix) != std::string::npos;
    }

private:
    InternetHandle m_session;
};

// Committed memory by kind (images, mapped files, private), in MB, from a walk
// of the address space. The private part is what Windows counts as private
// bytes; Wine's GetProcessMemoryInfo gives resident memory instead.
std::array<double, 3> CommittedMb(HANDLE hProcess)
{
    std::array<double, 3> mb = {};
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* address = nullptr;
         ::VirtualQueryEx(hProcess, address, &region, sizeof(region)) == sizeof(region);
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State != MEM_COMMIT) continue;
        mb[region.Type == MEM_IMAGE ? 0 : region.Type == MEM_MAPPED ? 1 : 2] += region.RegionSize / 1048576.0;
    }
    return mb;
}

struct Memory {
    double workingSetMb, privateMb, committedPrivateMb;
};

// A started program, asked to end (its close command, then termination) when
// the object goes.
class Program {
public:
    Program(const std::string& path, const std::string& arguments, int closeCommand) : m_closeCommand(closeCommand)
    {
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        std::string command = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
        m_startMs = NowMs();
        if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            throw std::runtime_error("cannot start " + path);
    }
    ~Program()
    {
        if (m_hDlg) ::PostMessageA(m_hDlg, WM_COMMAND, m_closeCommand, 0);
        if (::WaitForSingleObject(m_pi.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    double StartMs() const { return m_startMs; }
    HANDLE Handle() const { return m_pi.hProcess; }

    // The program's visible dialog window.
    HWND WaitShown()
    {
        WaitFor([this] { return !::EnumWindows(&MatchShownDialog, reinterpret_cast<LPARAM>(this)); },
                "a shown window");
        return m_hDlg;
    }

    // Private bytes as PagefileUsage (the commit charge on Windows): Wine leaves
    // the newer PrivateUsage at 0 and reports there resident anonymous memory.
    Memory MemoryNow() const
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        if (!::GetProcessMemoryInfo(m_pi.hProcess, &counters, sizeof(counters)))
            throw std::runtime_error("GetProcessMemoryInfo failed");
        return {counters.WorkingSetSize / 1048576.0, counters.PagefileUsage / 1048576.0, CommittedMb(m_pi.hProcess)[2]};
    }

private:
    static BOOL CALLBACK MatchShownDialog(HWND hWnd, LPARAM lParam)
    {
        Program* self = reinterpret_cast<Program*>(lParam);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hWnd, &processId);
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof(className));
        if (processId != self->m_pi.dwProcessId || !::IsWindowVisible(hWnd) || std::string(className) != "#32770")
            return TRUE;
        self->m_hDlg = hWnd;
        return FALSE;
    }

    PROCESS_INFORMATION m_pi = {};
    double m_startMs = 0;
    int m_closeCommand;
    HWND m_hDlg = nullptr;
};

int Rows(HWND hDlg, int listId)
{
    DWORD_PTR rows = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(hDlg, listId), LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &rows))
        throw std::runtime_error("the list " + std::to_string(listId) + " does not answer");
    return static_cast<int>(rows);
}

void Press(HWND hDlg, int buttonId)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, buttonId)));
}

// Waits until the list holds `rows` rows again after the program emptied it
// (it empties a list before asking for its document): seen below `rows`, or,
// should the polls miss that, `request` in the stand-in's log (cleared before
// the press). The log is read only now and then: it costs a request.
void WaitRefilled(const Web& web, HWND hDlg, int listId, int rows, const std::string& request)
{
    bool emptied = false;
    int polls = 0;
    WaitFor(
        [&] {
            const int now = Rows(hDlg, listId);
            emptied = emptied || now < rows;
            return now == rows && (emptied || (++polls % 20 == 0 && web.Logged(request)));
        },
        request + " and its rows");
}

// Times one step: `act` starts it, `done` waits for its end.
template <class Act, class Done>
double Timed(Act act, Done done)
{
    const double start = NowMs();
    act();
    done();
    return NowMs() - start;
}

struct StartFigures {
    std::vector<double> shownMs, rowsMs, workingSetMb, privateMb;
};

// Start → window shown, start → its video list holds rows, memory once settled.
HWND MeasureStart(Program& program, StartFigures& figures)
{
    const HWND hDlg = program.WaitShown();
    figures.shownMs.push_back(NowMs() - program.StartMs());
    WaitFor([&] { return Rows(hDlg, IDC_LIST_VIDEO) > 0; }, "the first rows");
    figures.rowsMs.push_back(NowMs() - program.StartMs());
    ::Sleep(kSettleMs);
    const Memory memory = program.MemoryNow();
    figures.workingSetMb.push_back(memory.workingSetMb);
    figures.privateMb.push_back(memory.privateMb);
    return hDlg;
}

void PrintRow(const char* name, const char* unit, const std::vector<double>& ours, const char* against,
              const std::vector<double>& theirs, const char* goal)
{
    const Spread a = SpreadOf(ours), b = SpreadOf(theirs);
    std::printf("%-30s %8.1f %s [%7.1f-%7.1f]  %-9s %7.1f %s [%7.1f-%7.1f]  %5.2fx  goal %s\n", name, a.median, unit,
                a.low, a.high, against, b.median, unit, b.low, b.high, b.median > 0 ? a.median / b.median : 0.0, goal);
}

struct Footprint {
    std::map<std::string, double> modules;  // by lower-case base name: image size in KB
    std::array<double, 3> committedMb;
};

Footprint FootprintOf(HANDLE hProcess)
{
    Footprint footprint;
    HMODULE modules[1024];
    DWORD needed = 0;
    if (!::EnumProcessModulesEx(hProcess, modules, sizeof(modules), &needed, LIST_MODULES_ALL))
        throw std::runtime_error("EnumProcessModulesEx failed");
    for (DWORD i = 0; i < std::min<DWORD>(needed / sizeof(HMODULE), 1024); ++i) {
        char name[MAX_PATH] = {};
        MODULEINFO info = {};
        if (!::GetModuleBaseNameA(hProcess, modules[i], name, MAX_PATH) ||
            !::GetModuleInformation(hProcess, modules[i], &info, sizeof(info)))
            continue;
        std::string key(name);
        std::transform(key.begin(), key.end(), key.begin(), [](char c) { return static_cast<char>(::tolower(c)); });
        footprint.modules[key] = info.SizeOfImage / 1024.0;
    }
    footprint.committedMb = CommittedMb(hProcess);
    return footprint;
}

bool IsDll(const std::string& name)
{
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0;
}

// Working set (MB) of the bare dialog with `pieces` loaded, once settled.
double BareWorkingSet(const std::string& bare, const std::string& pieces)
{
    Program program(bare, pieces, IDCANCEL);
    program.WaitShown();
    ::Sleep(kSettleMs);
    return program.MemoryNow().workingSetMb;
}

struct Paths {
    std::string bare, stel7, stripped;
};

// Start-up, one switch and one search, each over `runs` starts; returns the
// median working sets after start, stel7's and the bare dialog's.
std::pair<double, double> MeasureSteps(const Paths& paths, const Web& web, int runs)
{
    // The first start of each reads its files from disk; not counted.
    StartFigures unused;
    {
        Program program(paths.bare, "", IDCANCEL);
        MeasureStart(program, unused);
    }
    {
        Program program(paths.stel7, "", ID_TRAY_EXIT);
        MeasureStart(program, unused);
    }

    StartFigures ours, theirs;
    std::vector<double> switchMs, searchMs, musicGetMs, searchGetMs;
    for (int run = 0; run < runs; ++run) {
        {
            Program program(paths.bare, "", IDCANCEL);
            MeasureStart(program, theirs);
        }
        {
            Program program(paths.stel7, "", ID_TRAY_EXIT);
            const HWND hDlg = MeasureStart(program, ours);
            switchMs.push_back(Timed(
                [&] {
                    web.ClearLog();
                    Press(hDlg, IDC_BTN_SECTION_MUSIC);
                },
                [&] { WaitRefilled(web, hDlg, IDC_LIST_MUSIC, kMusicRows, kSections[1].request); }));
            ::SendMessageA(::GetDlgItem(hDlg, IDC_EDIT_SEARCH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSearchTerm));
            web.ClearLog();
            searchMs.push_back(Timed([&] { Press(hDlg, IDC_BTN_SEARCH); },
                                     [&] { WaitRefilled(web, hDlg, IDC_LIST_VIDEO, kVideoRows, "GET /feeds/api/videos"); }));
        }
        // With no program running, as the program's own fetches run alone.
        musicGetMs.push_back(Timed([] {}, [&] { web.Get(kMusicUrl); }));
        searchGetMs.push_back(Timed([] {}, [&] { web.Get(kSearchUrl); }));
    }
    std::printf("%d runs each: median [min-max]; ratio of the medians\n", runs);
    PrintRow("start -> window shown", "ms", ours.shownMs, "bare", theirs.shownMs, "<= 1.2x");
    PrintRow("start -> first rows shown", "ms", ours.rowsMs, "bare", theirs.rowsMs, "<= 1.5x");
    PrintRow("music section switch", "ms", switchMs, "raw GET", musicGetMs, "-");
    PrintRow("search (30 rows)", "ms", searchMs, "raw GET", searchGetMs, "-");
    PrintRow("working set after start", "MB", ours.workingSetMb, "bare", theirs.workingSetMb, "<= 1.5x");
    PrintRow("private bytes after start", "MB", ours.privateMb, "bare", theirs.privateMb, "-");
    std::fflush(stdout);
    return {SpreadOf(ours.workingSetMb).median, SpreadOf(theirs.workingSetMb).median};
}

// Memory over many switches, each waited for; the first round visits every
// section once (their first rows, pictures and tabs). Samples after start,
// after that round and at every tenth of the way, each once the switch's
// threads have ended, show the trend beside the noise. Returns stel7's
// footprint by the end.
Footprint MeasureSwitches(const Paths& paths, const Web& web, int switches)
{
    Program program(paths.stel7, "", ID_TRAY_EXIT);
    StartFigures once;
    const HWND hDlg = MeasureStart(program, once);
    const int startRows = Rows(hDlg, IDC_LIST_VIDEO);
    std::vector<std::pair<int, Memory>> samples = {{0, program.MemoryNow()}};
    std::vector<double> perSection[4];
    for (int i = 1; i <= switches; ++i) {
        const Section& section = kSections[(i - 1) % 4];
        perSection[(i - 1) % 4].push_back(Timed(
            [&] {
                web.ClearLog();
                Press(hDlg, section.button);
            },
            [&] { WaitRefilled(web, hDlg, section.list, section.rows ? section.rows : startRows, section.request);
            }));
        if (i == 4 || i % std::max(switches / 10, 1) == 0) {
            ::Sleep(kSettleMs);
            samples.push_back({i, program.MemoryNow()});
        }
    }
    std::printf("\n%d section switches (channel, music, humour, search in turn); median [min-max] ms:", switches);
    const char* names[] = {"channel", "music", "humour", "search"};
    for (int i = 0; i < 4; ++i) {
        const Spread s = SpreadOf(perSection[i]);
        std::printf(" %s %.0f [%.0f-%.0f]", names[i], s.median, s.low, s.high);
    }
    std::printf("\n  after switches  working set  private (resident)  committed private   (MB)\n");
    for (const auto& [count, memory] : samples)
        std::printf("  %14d  %11.1f  %18.1f  %17.1f\n", count, memory.workingSetMb, memory.privateMb,
                    memory.committedPrivateMb);
    const Memory& first = samples.front().second;
    const Memory& round = samples[1].second;
    const Memory& last = samples.back().second;
    std::printf("private bytes growth over the %d switches (goal <= 1 MB): %.2f MB resident, %.2f MB committed; "
                "after the first 4: %.2f, %.2f MB\n",
                switches, last.privateMb - first.privateMb, last.committedPrivateMb - first.committedPrivateMb,
                last.privateMb - round.privateMb, last.committedPrivateMb - round.committedPrivateMb);
    return FootprintOf(program.Handle());
}

// What holds the working set: committed memory by kind, the modules only
// stel7 loads, what each adds when the bare dialog loads it alone (its own
// dependencies included, so the figures overlap), the COM objects stel7
// creates, and the debug information the built program carries.
void MeasureHolders(const Paths& paths, const Footprint& ours, std::pair<double, double> workingSets)
{
    const auto [ourMb, bareMb] = workingSets;
    Footprint theirs;
    {
        Program baseline(paths.bare, "", IDCANCEL);
        baseline.WaitShown();
        theirs = FootprintOf(baseline.Handle());
    }
    std::printf("\ncommitted MB (images, mapped files, private): stel7 after the switches %.1f, %.1f, %.1f; bare %.1f, %.1f, %.1f\n",
                ours.committedMb[0], ours.committedMb[1], ours.committedMb[2], theirs.committedMb[0],
                theirs.committedMb[1], theirs.committedMb[2]);
    std::printf("modules: stel7 %zu, bare %zu; loaded by stel7 only (image size; working set bare + it alone adds):\n",
                ours.modules.size(), theirs.modules.size());
    const char* progIds[] = {"Microsoft.XMLDOM", "Shell.Explorer.2"};
    std::string all;
    double imageKb = 0;
    for (const auto& [name, kb] : ours.modules) {
        if (theirs.modules.count(name)) continue;
        imageKb += kb;
        if (!IsDll(name)) {
            std::printf("  %-24s %7.0f KB\n", name.c_str(), kb);
            continue;
        }
        all += " " + name;
        std::printf("  %-24s %7.0f KB  %+6.1f MB\n", name.c_str(), kb, BareWorkingSet(paths.bare, name) - bareMb);
    }
    std::printf("  %-24s %7.0f KB\n", "(all these images)", imageKb);
    for (const char* progId : progIds) {
        all += std::string(" ") + progId;
        std::printf("  bare + a %-22s object  %+6.1f MB\n", progId, BareWorkingSet(paths.bare, progId) - bareMb);
    }
    const double piecesMb = BareWorkingSet(paths.bare, all) - bareMb;
    std::printf("  bare + all of the above        %+6.1f MB of stel7's %+.1f MB; the other %.1f MB: stel7's own image,\n"
                "  heap, skin bitmaps, threads and windows\n",
                piecesMb, ourMb - bareMb, ourMb - bareMb - piecesMb);
    if (::GetFileAttributesA(paths.stripped.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    Program installed(paths.stripped, "", ID_TRAY_EXIT);
    StartFigures figures;
    MeasureStart(installed, figures);
    std::printf("stel7.exe stripped as the installer ships it: %.1f MB working set, %.1f MB private after start\n",
                figures.workingSetMb[0], figures.privateMb[0]);
}

std::string ProgramDir()
{
    char path[MAX_PATH] = {};
    const std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of('\\') + 1);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const int switches = argc > 2 ? std::atoi(argv[2]) : 1000;
    const std::string dir = ProgramDir();
    const Paths paths = {dir + "BareDialog.exe", dir + "..\\..\\app\\stel7.exe",
                         dir + "..\\..\\installer\\staged\\stel7.exe"};
    try {
        const Web web;
        const std::pair<double, double> workingSets = MeasureSteps(paths, web, runs);
        MeasureHolders(paths, MeasureSwitches(paths, web, switches), workingSets);
    } catch (const std::exception& error) {
        std::printf("benchmark failed: %s\n", error.what());
        return 1;
    }
    return 0;
}
