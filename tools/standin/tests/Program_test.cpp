// The executable as scripts use it: the line it prints once listening, its exit
// codes, and a prompt stop on SIGTERM even while a request is held.

#include <gtest/gtest.h>

#include <httplib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <future>
#include <regex>

namespace {

class Program
{
public:
    explicit Program(std::vector<std::string> arguments)
    {
        int out[2];
        int err[2];
        if (pipe(out) != 0 || pipe(err) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0)
        {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            close(out[0]);
            close(err[0]);
            close(out[1]);
            close(err[1]);
            std::vector<char*> argv;
            arguments.insert(arguments.begin(), STANDIN_EXECUTABLE);
            for (std::string& argument : arguments)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }

    ~Program()
    {
        if (pid_ > 0 && !exited_)
        {
            kill(pid_, SIGKILL);
            Wait();
        }
        close(out_);
        close(err_);
    }

    // The first line of standard output; empty when the program ended first.
    std::string FirstLine()
    {
        std::string line;
        char c;
        while (read(out_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    std::string ErrorText()
    {
        std::string text;
        char buffer[512];
        ssize_t got;
        while ((got = read(err_, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<size_t>(got));
        return text;
    }

    void Signal(int number) { kill(pid_, number); }

    // The exit status, or -1 when it did not exit normally.
    int Wait()
    {
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_)
            return -1;
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool exited_ = false;
};

int ListeningPort(const std::string& line)
{
    std::smatch match;
    if (!std::regex_match(line, match, std::regex("stel7_standin listening on 127\\.0\\.0\\.1:([0-9]+)")))
        return -1;
    return std::stoi(match[1]);
}

}  // namespace

TEST(Program, SaysWhereItListensAndStopsOnSigterm)
{
    Program program({"--port", "0"});
    const std::string line = program.FirstLine();
    const int port = ListeningPort(line);
    ASSERT_GT(port, 0) << line;
    httplib::Client client("127.0.0.1", port);
    const httplib::Result home = client.Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(), 0);
}

TEST(Program, TakenPortIsAnError)
{
    Program first({"--port", "0"});
    const int port = ListeningPort(first.FirstLine());
    ASSERT_GT(port, 0);
    Program second({"--port", std::to_string(port)});
    EXPECT_EQ(second.FirstLine(), "");
    EXPECT_NE(second.Wait(), 0);
    EXPECT_NE(second.ErrorText().find(std::to_string(port)), std::string::npos);
    first.Signal(SIGINT);
    EXPECT_EQ(first.Wait(), 0);
}

TEST(Program, OnlyLoopbackAddressesAreBound)
{
    Program program({"--bind", "0.0.0.0", "--port", "0"});
    EXPECT_EQ(program.FirstLine(), "");
    EXPECT_EQ(program.Wait(), 2);
    EXPECT_NE(program.ErrorText().find("--bind"), std::string::npos);
}

TEST(Program, MissingContentIsAnError)
{
    Program program({"--content", "/nonexistent/standin", "--port", "0"});
    EXPECT_EQ(program.FirstLine(), "");
    EXPECT_EQ(program.Wait(), 1);
    EXPECT_NE(program.ErrorText().find("/nonexistent/standin"), std::string::npos);
}

TEST(Program, SigtermReleasesAHeldRequest)
{
    Program program({"--port", "0"});
    const int port = ListeningPort(program.FirstLine());
    ASSERT_GT(port, 0);
    httplib::Client control("127.0.0.1", port);
    ASSERT_TRUE(control.Get("/__standin/fault?path=/zbxe/comedy/rss&mode=hang"));

    auto held = std::async(std::launch::async, [port] {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(120);
        return client.Get("/zbxe/comedy/rss");
    });
    for (;;)
    {
        const httplib::Result log = control.Get("/__standin/log");
        ASSERT_TRUE(log);
        if (!log->body.empty())
            break;
        std::this_thread::yield();
    }
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(), 0);
    const httplib::Result result = held.get();
    EXPECT_FALSE(result);
}
