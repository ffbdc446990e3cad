#ifndef TINTARA_CLI_CLI_H_
#define TINTARA_CLI_CLI_H_

#include <iosfwd>
#include <string>
#include <vector>

namespace tintara::cli {

// Exit statuses: 0 all went well, 1 some input was bad, 2 bad arguments or an
// unreadable file.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;

// Runs one command line (without the program name).
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

}  // namespace tintara::cli

#endif  // TINTARA_CLI_CLI_H_
