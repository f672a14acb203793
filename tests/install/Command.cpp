#include "tests/install/Command.h"

#include "tests/e2e/harness/ProgramRun.h"

namespace install_test {

CommandResult runCommand(const std::vector<std::string>& argv, e2e::Millis timeout) {
    CommandResult result;
    std::string line;
    for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;

    if (argv.empty()) {
        result.outcome = "no command given";
    } else {
        e2e::ProgramRun run(argv[0], {argv.begin() + 1, argv.end()}, {});
        if (!run.started()) {
            result.outcome = "could not start: " + run.error();
        } else if (const auto status = run.waitForExit(timeout)) {
            result.outcome = status->describe();
            result.succeeded = status->exited && status->code == 0;
        } else {
            run.kill();
            result.outcome = "still running after " + std::to_string(timeout.count()) + " ms, killed";
        }
        result.standardOutput = run.standardOutput();
        result.standardError = run.standardError();
    }
    result.report = "$ " + line + "\n" + result.outcome + "\nstdout:\n" + result.standardOutput +
                    "stderr:\n" + result.standardError;
    return result;
}

}  // namespace install_test
