#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "assign/search_choice.h"
#include "cli/convert_command.h"
#include "cli/preview_commands.h"

namespace larkfold {
namespace {

constexpr const char* kDescription =
    "larkfold converts DAT recordings (eight amplitude/frequency channels every 1/60 s)\n"
    "into VOI register streams for a 3-to-8-channel FM tone generator or PCM voice player.";

constexpr const char* kConvertFooter =
    "Each VOI file is written next to its DAT file: the DAT path without its last\n"
    "four characters, plus \".voi\" (song.dat gives song.voi). An existing VOI file\n"
    "is replaced only once the new one is complete.\n"
    "\n"
    "Each file's message is printed as the dialog program shows it: \"終了しました\"\n"
    "on standard output, any other message on standard error; with several files\n"
    "each line starts with the file's path.\n"
    "\n"
    "Exit status: 0 every file converted, 1 a conversion failed, 2 a setting was\n"
    "rejected or the command line is wrong, 130 interrupted with Ctrl-C.\n"
    "\n"
    "Environment: LARKFOLD_SEARCH=exhaustive chooses the reference search when\n"
    "--search is not given.\n"
    "\n"
    "Example:\n"
    "  larkfold convert song.dat --source fm --channels 6 --volume 120 --speed 0.95\n";

}  // namespace

int RunCommandLine(const std::string& programName, const std::vector<std::string>& args) {
  CLI::App app(kDescription, programName);
  app.set_version_flag("--version", std::string("larkfold ") + LARKFOLD_VERSION,
                       "Print the version and exit");
  app.require_subcommand(1);
  app.footer("Run \"" + programName + " COMMAND --help\" for a command's options.");

  ConvertOptions options;
  std::string search;
  std::vector<std::string> files;
  CLI::App* convert = app.add_subcommand("convert", "Convert each DAT file in turn to a VOI file");
  convert->footer(kConvertFooter);
  convert->add_option("-s,--source", options.source, "Sound source: fm or pcm")
      ->check(CLI::IsMember({"fm", "pcm"}))
      ->capture_default_str();
  convert->add_option("-c,--channels", options.channels, "Output channels: 3 to 8")
      ->check(CLI::IsMember({3, 4, 5, 6, 7, 8}))
      ->capture_default_str();
  convert
      ->add_option("--volume", options.volume,
                   "Volume in percent, 20 to 200, read as the dialog reads its field")
      ->capture_default_str();
  convert
      ->add_option("--speed", options.speed,
                   "Playback speed factor, 0.9 to 1.1, read as the dialog reads its field")
      ->capture_default_str();
  convert
      ->add_option("--search", search,
                   "How channels are matched from frame to frame: fast or exhaustive (the "
                   "reference; same result, much slower). Default: fast")
      ->check(CLI::IsMember({"fast", "exhaustive"}));
  convert->add_flag("-q,--quiet", options.quiet, "Draw no progress line");
  convert->add_option("FILE", files, "DAT files to convert")->required();
  const Subcommand previews[] = {AddInspectCommand(app), AddRenderCommand(app),
                                 AddPlotCommand(app)};

  std::vector<const char*> argv;
  argv.push_back(programName.c_str());
  for (const std::string& arg : args) {
    argv.push_back(arg.c_str());
  }
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return kExitRejected;
  }

  for (const Subcommand& preview : previews) {
    if (preview.command->parsed()) {
      return preview.run();
    }
  }
  const SearchMethod method =
      search.empty() ? SearchMethodFromEnvironment() : *ParseSearchMethod(search);
  return RunConvertCommand(options, method, files);
}

}  // namespace larkfold
