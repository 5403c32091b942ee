#pragma once
// A program run without a shell, as the capture runs ffmpeg: its standard input may be a pipe
// the caller writes, its standard output is read back or thrown away, its standard error is
// ours. Starting ignores SIGPIPE for the whole process, so a child that dies shows up as a write
// error; the child itself gets the default. The destructor kills a child still running.

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts arguments[0] (a path, or a name looked up on PATH) with the rest as its arguments.
    // False, with the reason in `error`; `variable` names the environment variable that can
    // point at the program instead, for the hint when it is not on PATH.
    bool start(const std::vector<std::string>& arguments, bool pipeInput, bool readOutput,
               const char* variable, std::string& error);
    // The write end of the child's standard input; -1 without one.
    int input() const { return inputEnd; }
    void closeInput();
    // All the child's standard output, read until it closes it.
    std::string output();
    // Waits for the child. True when it exited with status 0; otherwise `what` says how it
    // ended ("failed with exit code 3", "was killed by signal 9").
    bool wait(std::string& what);
    // Kills and reaps the child, if any.
    void kill();
    bool running() const { return child > 0; }

private:
    pid_t child = -1;
    int inputEnd = -1;
    int outputEnd = -1;
};

// Runs a program to its end and keeps its standard output. False, with the program and how it
// ended in `error`, unless it exited with status 0.
bool runProgram(const std::vector<std::string>& arguments, const char* variable,
                std::string& output, std::string& error);
