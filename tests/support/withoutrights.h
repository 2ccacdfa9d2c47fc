#pragma once

#include "common/error.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace zk::test {

// Runs f in a child process without root's rights (root writes into any
// folder) and returns the text of the zk::Error it threw, empty when it threw
// none. Whatever f changes in memory is lost with the child.
inline QString errorWithoutRights(const std::function<void()> &f) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const uid_t nobody = 65534;
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(2);
        QByteArray said;
        try {
            f();
        } catch (const Error &e) {
            said = e.text().toUtf8();
        }
        const bool written =
            write(pipeEnds[1], said.constData(), size_t(said.size())) == said.size();
        _exit(written ? 0 : 3);
    }
    close(pipeEnds[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the child failed");
    return QString::fromUtf8(said);
}

} // namespace zk::test
