// Runs a check as an ordinary user, so permission tests also mean something when the
// test suite itself runs as root (root ignores folder permissions).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace velnor::test {

// Lets everybody reach `folder` (so the unprivileged child can use it), then runs `check`
// in a forked child that drops to the "nobody" user when started as root. Returns the
// check's result; false when the child could not run it.
inline bool RunUnprivileged(const std::filesystem::path& folder,
                            const std::function<bool()>& check) {
    std::error_code error;
    for (auto p = folder; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        std::filesystem::permissions(p, std::filesystem::perms::others_exec,
                                     std::filesystem::perm_options::add, error);
    }
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velnor::test
