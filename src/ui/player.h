// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the player: the command line, the test it names, and the window.
#pragma once

#include "content/loader.h"
#include "results/recorder.h"

#include <QString>
#include <functional>
#include <optional>

namespace kovra {

// What the command line asks: `kovra` plays the built-in test, `kovra FILE.kovra` the test
// in that file; --help and --version are answered on standard output, and a wrong command line
// with the usage on standard error, without a screen.
struct PlayerCommand
{
    std::optional<int> answered = std::nullopt; // the exit status when answered already
    QString file;                               // the test file to play; empty, the built-in test
    // Set by tests alone, never from the command line: the pupil of a test that keeps results
    // (no dialog asks), and the seed of the draws (a fixed draw).
    std::optional<Pupil> pupil = std::nullopt;
    std::optional<unsigned> seed = std::nullopt;
    // A test for marks: the clock its time is counted on (milliseconds, only forward), and the
    // folder of the resume journals (empty: the user's own data folder).
    std::function<qint64()> clock = nullptr;
    QString journalFolder = {};
};
[[nodiscard]] PlayerCommand readCommandLine(int &argc, char **argv);

// Plays the test the command names: returns the exit status. When the test keeps results, the
// pupil's name and class are asked first (Cancel ends with 0, nothing written), and the result
// file is written at the start, after every answer and at the evaluation.
int startPlayer(const PlayerCommand &command);

// With a valid set: shows the window and runs the event loop until Exit, returning its code.
// With a broken set: reports every problem on standard error (and in a message box on a real
// screen) and returns 1 before any window opens.
int runPlayer(LoadResult loaded);

} // namespace kovra
