#include "server/tests/ServerProcess.h"

#include <arpa/inet.h>
#include <libpq-fe.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace servertest {

namespace {

// Hands each piece read from `fd` to `take` until the other end closes.
template <typename Take>
void ReadUntilClosed(int fd, Take take)
{
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) != 0;)
    {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        take(buffer, static_cast<size_t>(n));
    }
}

pid_t Spawn(const std::vector<std::string>& args, int out, int err)
{
    const std::string path = ServerPath();
    std::vector<char*> argv = {const_cast<char*>(path.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int PortIn(const std::string& line)
{
    const size_t colon = line.rfind(':');
    return colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
}

}  // namespace

std::string ServerPath()
{
    return STEL7_SERVER_PATH;
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = std::filesystem::temp_directory_path().string() + "/stel7-server-test-XXXXXX";
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out << bytes);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Reply Get(int port, const std::string& target, const std::string& extraHeaders)
{
    Reply reply;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    {
        close(fd);
        return reply;
    }
    const std::string request =
        "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders + "Connection: close\r\n\r\n";
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
    {
        close(fd);
        return reply;
    }
    std::string answer;
    ReadUntilClosed(fd, [&answer](const char* bytes, size_t size) { answer.append(bytes, size); });
    close(fd);
    const size_t headerEnd = answer.find("\r\n\r\n");
    if (answer.compare(0, 9, "HTTP/1.1 ") != 0 || headerEnd == std::string::npos)
        return reply;
    reply.status = std::atoi(answer.c_str() + 9);
    reply.headers = answer.substr(0, headerEnd + 2);
    reply.body = answer.substr(headerEnd + 4);
    return reply;
}

std::string Reply::Header(const std::string& name) const
{
    const std::string key = "\r\n" + name + ": ";
    const size_t at = headers.find(key);
    if (at == std::string::npos)
        return std::string();
    const size_t begin = at + key.size();
    return headers.substr(begin, headers.find("\r\n", begin) - begin);
}

Finished RunProgram(const std::vector<std::string>& args)
{
    Finished finished;
    ScratchFolder folder;
    const int out = open((folder / "out").c_str(), O_WRONLY | O_CREAT, 0600);
    const int err = open((folder / "err").c_str(), O_WRONLY | O_CREAT, 0600);
    const pid_t pid = Spawn(args, out, err);
    close(out);
    close(err);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        finished.exitCode = WEXITSTATUS(status);
    finished.out = ReadFile(folder / "out");
    finished.err = ReadFile(folder / "err");
    return finished;
}

ServerProcess::ServerProcess(std::vector<std::string> flags)
{
    for (const char* address : {"--listen", "--admin"})
    {
        if (std::find(flags.begin(), flags.end(), address) == flags.end())
            flags.insert(flags.end(), {address, "127.0.0.1:0"});
    }
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    pid_ = Spawn(flags, pipeFds[1], STDERR_FILENO);
    close(pipeFds[1]);
    reader_ = std::thread([this, fd = pipeFds[0]] {
        std::string pending;
        ReadUntilClosed(fd, [this, &pending](const char* bytes, size_t size) {
            pending.append(bytes, size);
            std::lock_guard<std::mutex> lock(mutex_);
            for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
                lines_.push_back(pending.substr(0, end));
            changed_.notify_all();
        });
        close(fd);
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    });
    if (!WaitForOutput("stel7-server: report on ", 1, std::chrono::seconds(20)))
        return;
    for (const std::string& line : OutputLines())
    {
        if (line.find("stel7-server: serving ") == 0)
            port_ = PortIn(line);
        else if (line.find("stel7-server: report on ") == 0)
            adminPort_ = PortIn(line.substr(0, line.rfind("/report")));
    }
}

ServerProcess::~ServerProcess()
{
    if (pid_ > 0)
        Kill();
    if (reader_.joinable())
        reader_.join();
}

int ServerProcess::Wait(std::chrono::milliseconds timeout)
{
    // The program's standard output closes when it exits: that is the event
    // to wait on, since reaping has no wait with a deadline.
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!changed_.wait_for(lock, timeout, [this] { return closed_; }))
            return -1;
    }
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_)
        return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int ServerProcess::Terminate()
{
    if (pid_ <= 0)
        return -1;
    kill(pid_, SIGTERM);
    const int code = Wait(std::chrono::seconds(30));
    if (pid_ > 0)
        Kill();
    return code;
}

void ServerProcess::Kill()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

std::vector<std::string> ServerProcess::OutputLines()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

bool ServerProcess::WaitForOutput(const std::string& text, size_t count, std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        size_t found = 0;
        for (const std::string& line : lines_)
            found += line.find(text) != std::string::npos ? 1 : 0;
        return found >= count || closed_;
    }) && !closed_;
}

std::string FreshDatabase(const std::string& backend, const ScratchFolder& scratch)
{
    static int made = 0;
    const std::string name = "t" + std::to_string(getpid()) + "_" + std::to_string(++made);
    if (backend.compare(0, 6, "sqlite") == 0)
        return "sqlite:" + scratch / (name + ".sqlite3");
    // The scratch server's URL, written by scratch-postgres.sh for the run.
    const char* urlFile = std::getenv("STEL7_TEST_POSTGRES");
    std::string url = urlFile ? ReadFile(urlFile) : std::string();
    while (!url.empty() && url.back() == '\n')
        url.pop_back();
    PGconn* connection = PQconnectdb(url.c_str());
    PGresult* result = PQstatus(connection) == CONNECTION_OK ? PQexec(connection, ("CREATE DATABASE " + name).c_str())
                                                             : nullptr;
    const bool created = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    PQfinish(connection);
    return created ? url.substr(0, url.rfind('/') + 1) + name : std::string();
}

std::vector<std::pair<std::string, long long>> ReportTotals(int adminPort)
{
    std::vector<std::pair<std::string, long long>> totals;
    const std::string json = Get(adminPort, "/report.json").body;
    // "totals": {...} and "apart": {...} hold only "name": number pairs.
    for (const char* member : {"\"totals\": {", "\"apart\": {"})
    {
        const size_t begin = json.find(member);
        if (begin == std::string::npos)
            continue;
        const size_t end = json.find('}', begin);
        for (size_t at = begin + std::strlen(member); at < end;)
        {
            const size_t open = json.find('"', at);
            if (open >= end)
                break;
            const size_t close = json.find('"', open + 1);
            totals.emplace_back(json.substr(open + 1, close - open - 1), std::atoll(json.c_str() + close + 2));
            at = json.find(',', close);
        }
    }
    return totals;
}

long long ReportTotal(int adminPort, const std::string& word)
{
    for (const auto& [name, count] : ReportTotals(adminPort))
    {
        if (name == word)
            return count;
    }
    return -1;
}

}  // namespace servertest
