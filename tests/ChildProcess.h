// Running part of a test in a child process of its own, for a limit or an
// identity the test process must not take on, and hearing what it reports.
#pragma once

#include <cstdio>
#include <string>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs body, a callable returning a std::string, in a forked child and
// returns that string. A child that did not end with status 0 adds how it
// ended ("[exit 1]", "[signal 6]"), so a crash cannot pass for a report.
template <typename Body>
std::string InChild(Body body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "[no pipe]";
    fflush(NULL);  // nothing buffered is written twice
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const std::string told = body();
        const bool sent = write(fds[1], told.data(), told.size()) == static_cast<ssize_t>(told.size());
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    std::string told;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0)
        told.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return told + "[no child]";
    if (WIFSIGNALED(status))
        return told + "[signal " + std::to_string(WTERMSIG(status)) + "]";
    if (WEXITSTATUS(status) != 0)
        return told + "[exit " + std::to_string(WEXITSTATUS(status)) + "]";
    return told;
}
