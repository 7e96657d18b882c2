#pragma once

// The tests' side of stel7-server: the real program run as a child process
// on free loopback ports, in a scratch folder, and plain HTTP requests sent
// byte for byte as written.

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace servertest {

// A fresh folder under the system's temporary folder, removed with its content.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

bool WriteFile(const std::string& path, const std::string& bytes);  // makes the folders too
std::string ReadFile(const std::string& path);

struct Reply
{
    int status = 0;  // 0: no HTTP answer
    std::string headers;
    std::string body;
    std::string Header(const std::string& name) const;  // "" when absent
};

// One GET on a new connection, the target sent exactly as given (NUL bytes,
// backslashes and all), as the programs' WinInet does: Connection: close.
Reply Get(int port, const std::string& target, const std::string& extraHeaders = std::string());

// The program's exit status as the shell shows it, and what it printed.
struct Finished
{
    int exitCode = -1;
    std::string out;
    std::string err;
};
Finished RunProgram(const std::vector<std::string>& args);

// `stel7-server serve` with the given flags (ports default to free ones on
// loopback), running until it is stopped or the object goes.
class ServerProcess
{
public:
    explicit ServerProcess(std::vector<std::string> flags);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Both ports are known: the program said where it listens.
    bool Started() const { return port_ > 0 && adminPort_ > 0; }
    int Port() const { return port_; }
    int AdminPort() const { return adminPort_; }

    // The exit code after SIGTERM (or -1 when it did not end in time).
    int Terminate();
    void Kill();  // SIGKILL, reaped

    // Standard output lines so far (the access log among them).
    std::vector<std::string> OutputLines();
    // Waits up to `timeout` until `count` lines hold `text`.
    bool WaitForOutput(const std::string& text, size_t count, std::chrono::milliseconds timeout);

private:
    int Wait(std::chrono::milliseconds timeout);

    pid_t pid_ = -1;
    int port_ = 0;
    int adminPort_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
    bool closed_ = false;
    std::thread reader_;
};

std::string ServerPath();

// The database backends the storage runs on, by their test names.
inline const char* const kBackends[] = {"sqlite", "postgresql"};
// The server's settings of them: SQLite syncing each commit or not.
inline const char* const kServedBackends[] = {"sqlite", "sqlite_sync_normal", "postgresql"};

// An empty database of `backend` ("sqlite...": a file in `scratch`;
// "postgresql": a new database on the run's scratch server); "" on failure.
std::string FreshDatabase(const std::string& backend, const ScratchFolder& scratch);

// The totals of /report.json by event word (and "unknown_word", "wrong_key").
std::vector<std::pair<std::string, long long>> ReportTotals(int adminPort);
long long ReportTotal(int adminPort, const std::string& word);

}  // namespace servertest
