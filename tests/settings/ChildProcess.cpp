#include "tests/settings/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <utility>

extern char** environ;

namespace {

constexpr int kSilenceMs = 20000;

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::string& driveC, const std::vector<std::string>& arguments) {
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) {
        return;
    }
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    std::vector<std::string> words = {SETTINGS_CHILD_PATH, driveC};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    if (posix_spawn(&m_pid, SETTINGS_CHILD_PATH, &actions, nullptr, argv.data(), environ) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    m_input = toChild[1];
    m_output = fromChild[0];
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0) {
        Kill();
    }
    CloseFd(m_input);
    CloseFd(m_output);
}

std::string ChildProcess::ReadLine() {
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return line;
        }
        pollfd ready{m_output, POLLIN, 0};
        const int polled = poll(&ready, 1, kSilenceMs);
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            return "<timeout>";
        }
        char buffer[256];
        const ssize_t got = read(m_output, buffer, sizeof buffer);
        if (got <= 0) {
            return m_pending.empty() ? "<end>" : std::exchange(m_pending, std::string());
        }
        m_pending.append(buffer, static_cast<size_t>(got));
    }
}

void ChildProcess::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    // A child that has gone away must not take the test with it through SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    [[maybe_unused]] const ssize_t written = write(m_input, text.data(), text.size());
}

int ChildProcess::Wait() {
    if (m_pid <= 0) {
        return -1;
    }
    CloseFd(m_input);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return WEXITSTATUS(status);
}

void ChildProcess::Kill() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        Wait();
    }
}

ChildResult RunChild(const std::string& driveC, const std::vector<std::string>& arguments) {
    ChildProcess child(driveC, arguments);
    if (!child.Started()) {
        return {"<not started>", -1};
    }
    std::string output;
    for (std::string line = child.ReadLine(); line != "<end>" && line != "<timeout>";
         line = child.ReadLine()) {
        output += output.empty() ? line : "\n" + line;
    }
    return {output, child.Wait()};
}
