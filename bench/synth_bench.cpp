// The floor of the music's cost: the synthesiser rendering the tune offline, with
// nothing between it and the CPU, and what its reverb and chorus add.
//
// usage: hibi_bench_synth <tune.mid>
//   renders the tune once through the game's own FluidSynth device, offline, in
//   40 ms blocks; prints "floor_cpu_pct <% of one core> <CPU s> <tune s>"
// usage: hibi_bench_synth --effects <tune.mid> <soundfont>
//   renders it with reverb and chorus, without reverb, without chorus; prints for
//   each the CPU % and how loud the part each effect adds is, in dB against the
//   whole sound (-20 dB is plainly audible, -60 dB is not)
#include <fluidsynth.h>
#include <time.h>

#include <QString>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "fluidsynth/fluidsynth_device.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = kRate / 25;

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

int Floor(const char* tune) {
  hibi::FluidSynthDevice device(hibi::FluidSynthDevice::Output::kOffline);
  device.Open(QString::fromLocal8Bit(tune));
  if (device.LengthInTicks() <= 0) return std::fprintf(stderr, "no tune\n"), 1;
  device.Play();
  std::vector<float> left(kBlock), right(kBlock);
  long frames = 0;
  const double t0 = ThreadSeconds();
  while (device.CurrentTick() < device.LengthInTicks() &&
         device.Render(left.data(), right.data(), kBlock))
    frames += kBlock;
  const double cpu = ThreadSeconds() - t0;
  const double seconds = double(frames) / kRate;
  std::printf("floor_cpu_pct %.3f %.3f %.1f\n", 100 * cpu / seconds, cpu, seconds);
  return 0;
}

// The whole tune, interleaved, as the game's device sets the synthesiser up.
std::vector<float> Render(const char* tune, const char* font, bool reverb, bool chorus,
                          double* cpu) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(settings, "synth.polyphony", 64);
  fluid_settings_setnum(settings, "synth.gain", 1.2);
  fluid_settings_setint(settings, "synth.reverb.active", reverb);
  fluid_settings_setint(settings, "synth.chorus.active", chorus);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, font, 1);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add(player, tune);
  fluid_player_play(player);
  std::vector<float> out;
  std::vector<float> block(2 * kBlock);
  const double t0 = ThreadSeconds();
  while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING) {
    fluid_synth_write_float(synth, kBlock, block.data(), 0, 2, block.data(), 1, 2);
    out.insert(out.end(), block.begin(), block.end());
  }
  *cpu = ThreadSeconds() - t0;
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return out;
}

double Db(const std::vector<float>& whole, const std::vector<float>& without) {
  double all = 0, part = 0;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const double rest = i < without.size() ? without[i] : 0.0;
    all += double(whole[i]) * whole[i];
    part += (whole[i] - rest) * (whole[i] - rest);
  }
  return part > 0 ? 10 * std::log10(part / all) : -999;
}

int Effects(const char* tune, const char* font) {
  double cpu[3] = {};
  const auto both = Render(tune, font, true, true, &cpu[0]);
  const auto dry = Render(tune, font, false, true, &cpu[1]);
  const auto plain = Render(tune, font, true, false, &cpu[2]);
  const double seconds = double(both.size()) / 2 / kRate;
  std::printf("effects_on cpu_pct %.3f tune_s %.1f\n", 100 * cpu[0] / seconds, seconds);
  std::printf("reverb_off cpu_pct %.3f reverb_db %.1f\n", 100 * cpu[1] / seconds, Db(both, dry));
  std::printf("chorus_off cpu_pct %.3f chorus_db %.1f\n", 100 * cpu[2] / seconds, Db(both, plain));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return Floor(argv[1]);
  if (argc == 4 && std::strcmp(argv[1], "--effects") == 0) return Effects(argv[2], argv[3]);
  std::fprintf(stderr, "usage: see the comment at the top of synth_bench.cpp\n");
  return 2;
}
