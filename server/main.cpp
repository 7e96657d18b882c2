// stel7-server: the vendor's web server for stel7 and its boot agent (serve),
// and the command that publishes a signed updater to its content (release).

#include "server/Options.h"
#include "server/ReleaseCommand.h"
#include "server/ServeCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    const vendor::ParsedCommand command = vendor::ParseCommand(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.kind)
    {
    case vendor::ParsedCommand::Kind::Help:
        std::cout << vendor::Usage();
        return 0;
    case vendor::ParsedCommand::Kind::Serve:
        vendor::BlockStopSignals();
        return vendor::Serve(command.serve);
    case vendor::ParsedCommand::Kind::Release:
        return vendor::Release(command.release);
    case vendor::ParsedCommand::Kind::Error:
        break;
    }
    std::cerr << "stel7-server: " << command.error << "\n\n" << vendor::Usage();
    return 2;
}
