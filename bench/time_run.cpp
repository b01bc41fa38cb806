// Runs one command and tells how long it took and how much memory it used at most:
//   time_run DIR OUT ERR PROGRAM [ARGUMENTS...]
// The command runs in DIR with its standard output and error sent to the files OUT and ERR.
// Prints "WALL_SECONDS CPU_SECONDS PEAK_KIB EXIT_CODE": the time from start to exit, the
// processor time the command used (user and system), and the peak resident memory of its
// process as the system counted it. On a busy machine the processor time varies less.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fputs("usage: time_run DIR OUT ERR PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(argv[3], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || chdir(argv[1]) != 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("wait4");
        return 1;
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    std::printf("%.6f %.6f %ld %d\n", wall.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime),
                usage.ru_maxrss, code);
    return 0;
}
