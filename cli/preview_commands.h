// The commands that look into files instead of converting them: inspect,
// render and plot. Each adds its subcommand to the tool and hands back what
// runs it once the command line has been parsed.
#pragma once

#include <functional>

namespace CLI {
class App;
}

namespace larkfold {

struct Subcommand {
  CLI::App* command;
  std::function<int()> run;  // returns the exit status
};

Subcommand AddInspectCommand(CLI::App& app);
Subcommand AddRenderCommand(CLI::App& app);
Subcommand AddPlotCommand(CLI::App& app);

}  // namespace larkfold
