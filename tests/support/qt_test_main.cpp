// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the test programs that need Qt: a headless QApplication, then
// every GoogleTest case. ctest discovers the cases by running the program at
// build time, where there is no display either.
#include <QApplication>
#include <QHashSeed>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // As the program does, for the reports' bytes (shell/main.cpp).
    QHashSeed::setDeterministicGlobalSeed();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
