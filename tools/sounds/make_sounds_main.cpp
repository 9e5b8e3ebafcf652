// Writes the game's nine sound samples into the folder given on the command line. Each tune is
// fitted to the moment that plays it: the intro jingle ends well inside the 2.9 s intro, the
// step blip is over long before the next 240 ms step, the power tones alternate every 250 ms.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "piezo_synth.h"

namespace {

using piezo::glide;
using piezo::Note;
using piezo::tone;

std::vector<std::pair<std::string, std::vector<Note>>> tunes() {
    return {
        // A coin-like run up to the top: an egg or a wolf eaten.
        {"Bonus", {tone("C7", 40, 6), tone("E7", 40, 6), tone("G7", 40, 6), tone("C8", 80, 8)}},
        // A small fanfare for a cleared board.
        {"Complete",
         {tone("G5", 100), tone("C6", 100), tone("E6", 100), tone("G6", 200), tone("E6", 100),
          tone("G6", 400), tone("-", 100), tone("A6", 100), tone("B6", 100), tone("C7", 600)}},
        // A slow walk down in A minor that settles on its home note.
        {"Gameover",
         {tone("E6", 250), tone("D6", 250), tone("C6", 250), tone("B5", 250), tone("A5", 250),
          tone("-", 100), tone("C6", 250), tone("B5", 250), tone("G#5", 250), tone("A5", 800)}},
        // Caught: three steps down and a sliding fall.
        {"Miss", {tone("B6", 150), tone("G6", 150), tone("E6", 150), glide("C6", "C5", 600)}},
        // One short tick per step.
        {"Move", {tone("A6", 35, 5)}},
        // The power mode's two-tone siren, one tone per 250 ms beat.
        {"Power1", {tone("E6", 140, 10)}},
        {"Power2", {tone("A5", 140, 10)}},
        // The game's own little theme while the intro shows.
        {"Start",
         {tone("E6", 110), tone("G6", 110), tone("C7", 220), tone("G6", 110), tone("E6", 110),
          tone("F6", 110), tone("A6", 110), tone("D7", 220), tone("B6", 110), tone("G6", 110),
          tone("C7", 220), tone("E7", 110), tone("D7", 110), tone("C7", 330)}},
        // Ready, go.
        {"Stgstart", {tone("C7", 90), tone("C7", 90), tone("G7", 220)}},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <sound folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        for (const auto& [name, tune] : tunes()) {
            piezo::write_wav(folder / (name + ".wav"), piezo::render(tune));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
