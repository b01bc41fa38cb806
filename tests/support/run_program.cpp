#include "support/run_program.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <regex>
#include <stdexcept>

#include "support/temp_dir.h"

namespace t2c::testing {

namespace {

std::string path_from(const char* variable, const char* built) {
    const char* path = std::getenv(variable);
    return path != nullptr && *path != '\0' ? path : built;
}

// A command the programs run under, such as an emulator; none when empty.
std::string runner() { return path_from("T2C_RUNNER", ""); }

}  // namespace

std::string program_path() { return path_from("T2C_PROGRAM", T2C_BUILT_PROGRAM); }
std::string check_program_path() { return path_from("T2C_CHECK_PROGRAM", T2C_BUILT_CHECK_PROGRAM); }
std::string adif_program_path() { return path_from("T2C_ADIF_PROGRAM", T2C_BUILT_ADIF_PROGRAM); }

bool under_runner() { return !runner().empty(); }

namespace {

ProgramResult run_once(const std::filesystem::path& dir, const std::vector<std::string>& args, const RunOptions& options) {
    TempDir capture;
    const std::string out_path = (capture / "stdout").string();
    const std::string err_path = (capture / "stderr").string();

    std::vector<std::string> words;
    if (under_runner()) words.push_back(runner());
    words.push_back(options.program.empty() ? program_path() : options.program);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open((options.stdout_file.empty() ? out_path : options.stdout_file).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || chdir(dir.c_str()) != 0) _exit(127);
        dup2(in, 0);
        dup2(out, 1);
        dup2(options.merge_streams ? out : err, 2);
        for (const std::string& setting : options.env) putenv(const_cast<char*>(setting.c_str()));
        if (options.memory_limit_kib > 0) {
            const rlim_t bytes = static_cast<rlim_t>(options.memory_limit_kib) * 1024;
            const rlimit limit{bytes, bytes};
            if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(127);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("waitpid failed");

    ProgramResult result;
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.raw_out = options.stdout_file.empty() ? read_file(out_path) : "";
    // A Windows console program writes stdout and stderr in text mode, so every "\n" it prints
    // arrives as CR LF, on the console as in a redirected file; that is what Windows users
    // expect, and the program keeps it. The expectations are written once, with LF, for both
    // systems. The output file is never touched: it is binary on both.
    const auto lf_lines = [](const std::string& text) {
        return under_runner() ? std::regex_replace(text, std::regex("\r\n"), "\n") : text;
    };
    result.out = lf_lines(result.raw_out);
    result.err = lf_lines(read_file(err_path));
    return result;
}

}  // namespace

ProgramResult run_program(const std::filesystem::path& dir, const std::vector<std::string>& args,
                          const RunOptions& options) {
    ProgramResult result = run_once(dir, args, options);
    // Now and then the emulator's own loader fails as the process ends, after the program has
    // done all its work: that run tells nothing of the program, so it is made again.
    for (int retry = 0; retry < 2 && under_runner() && result.err.starts_with("Inconsistency detected by ld.so"); ++retry) {
        result = run_once(dir, args, options);
    }
    return result;
}

}  // namespace t2c::testing
