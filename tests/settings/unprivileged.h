// Runs a check as an ordinary user, so permission tests also mean something when the
// test suite itself runs as root (root ignores folder permissions).
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace velnor::test {

// Runs `check` in a forked child that drops to the "nobody" user when started as root;
// as root it first lets everybody reach `folder` (so that the child can use it) and puts
// back the permissions of the folders above it afterwards. Returns the check's result;
// false when the child could not run it.
inline bool RunUnprivileged(const std::filesystem::path& folder,
                            const std::function<bool()>& check) {
    namespace fs = std::filesystem;
    const bool root = geteuid() == 0;
    std::vector<std::pair<fs::path, fs::perms>> opened;
    std::error_code error;
    for (auto p = folder; root && !p.empty() && p != p.root_path(); p = p.parent_path()) {
        const fs::perms before = fs::status(p, error).permissions();
        if (error || (before & fs::perms::others_exec) != fs::perms::none) continue;
        fs::permissions(p, fs::perms::others_exec, fs::perm_options::add, error);
        if (!error) opened.emplace_back(p, before);
    }
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    const bool waited = child > 0 && waitpid(child, &status, 0) == child;
    for (const auto& [path, before] : opened) fs::permissions(path, before, error);
    return waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace velnor::test
