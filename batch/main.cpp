// SPDX-License-Identifier: GPL-3.0-or-later
// viscous-pendulum-batch: the laboratory's runs and series without a window.
#include "batch/batch_command.h"

#include <QLocale>

#include <chrono>
#include <iostream>
#include <unistd.h>

int main(int argc, char* argv[])
{
    vp::BatchEnvironment environment;
    // The separator the window's numbers take, from the same locale.
    environment.decimal_separator = QLocale::system().decimalPoint().toStdString();
    environment.progress = isatty(STDERR_FILENO) == 1;
    environment.clock = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = vp::run_batch(arguments, std::cout, std::cerr, environment);
    std::cout.flush();
    return std::cout.good() ? status : vp::batch_failed;
}
