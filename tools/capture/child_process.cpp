#include "tools/capture/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace {

// Why a program could not start; "not found on PATH" gets a hint naming `variable`.
std::string startFailure(const std::string& program, int code, const char* variable) {
    if (code == ENOENT && program.find('/') == std::string::npos) {
        return "cannot run " + program + ": not found on PATH; install ffmpeg or set " + variable +
               " to its path";
    }
    return "cannot run " + program + ": " + std::strerror(code);
}

void closeEnd(int& end) {
    if (end >= 0) {
        close(end);
        end = -1;
    }
}

}  // namespace

ChildProcess::~ChildProcess() {
    kill();
}

bool ChildProcess::start(const std::vector<std::string>& arguments, bool pipeInput, bool readOutput,
                         const char* variable, std::string& error) {
    int inputPipe[2] = {-1, -1};
    int outputPipe[2] = {-1, -1};
    if ((pipeInput && pipe2(inputPipe, O_CLOEXEC) != 0) ||
        (readOutput && pipe2(outputPipe, O_CLOEXEC) != 0)) {
        error = std::string("cannot make a pipe: ") + std::strerror(errno);
        for (int end : {inputPipe[0], inputPipe[1], outputPipe[0], outputPipe[1]}) {
            closeEnd(end);
        }
        return false;
    }
    // NOTE: process-wide; the capture has no other pipe or socket whose SIGPIPE would matter,
    // and a write error names the failing child where the signal would kill us without a word.
    signal(SIGPIPE, SIG_IGN);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipeInput) {
        posix_spawn_file_actions_adddup2(&actions, inputPipe[0], STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    if (readOutput) {
        posix_spawn_file_actions_adddup2(&actions, outputPipe[1], STDOUT_FILENO);
    } else {
        // The child's messages belong on stderr; our stdout carries only our own report.
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int result = posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    closeEnd(inputPipe[0]);
    closeEnd(outputPipe[1]);
    inputEnd = inputPipe[1];
    outputEnd = outputPipe[0];
    if (result != 0) {
        child = -1;
        closeInput();
        closeEnd(outputEnd);
        error = startFailure(arguments[0], result, variable);
        return false;
    }
    return true;
}

void ChildProcess::closeInput() {
    closeEnd(inputEnd);
}

std::string ChildProcess::output() {
    std::string text;
    char buffer[4096];
    while (outputEnd >= 0) {
        const ssize_t count = read(outputEnd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            closeEnd(outputEnd);
            break;
        }
        text.append(buffer, static_cast<size_t>(count));
    }
    return text;
}

bool ChildProcess::wait(std::string& what) {
    closeInput();
    closeEnd(outputEnd);
    if (child <= 0) {
        what = "was not running";
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    child = -1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return true;
    }
    what = WIFSIGNALED(status) ? "was killed by signal " + std::to_string(WTERMSIG(status))
                               : "failed with exit code " + std::to_string(WEXITSTATUS(status));
    return false;
}

void ChildProcess::kill() {
    closeInput();
    closeEnd(outputEnd);
    if (child > 0) {
        ::kill(child, SIGKILL);
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        child = -1;
    }
}

bool runProgram(const std::vector<std::string>& arguments, const char* variable,
                std::string& output, std::string& error) {
    ChildProcess child;
    if (!child.start(arguments, false, true, variable, error)) {
        return false;
    }
    output = child.output();
    std::string what;
    if (!child.wait(what)) {
        error = arguments[0] + " " + what;
        return false;
    }
    return true;
}
