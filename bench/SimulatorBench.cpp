// Cost of one simulated sensor frame set (colour, depth, extended depth, point map, skeletons
// and faces) in the demo scene, at moments with both people walking and both standing.
#include <benchmark/benchmark.h>

#include "runtime/sim/DemoScene.h"
#include "runtime/sim/Simulator.h"

namespace {

void BM_SimulatorFrameSet(benchmark::State& state) {
  sim::Scene scene = sim::DemoScene();
  scene.noise = state.range(0) != 0;
  sim::Simulator simulator(scene);
  double t = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(simulator.Render(t).depth.data());
    t += 1.0 / 30.0;  // through the whole 20 s loop
  }
}
BENCHMARK(BM_SimulatorFrameSet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One person close to the sensor covers much of the picture: the costliest frame.
void BM_SimulatorClosePerson(benchmark::State& state) {
  sim::Scene scene;
  sim::Person person;
  person.heightCm = 172.0;
  person.path = {{0.0, 0.0, 1.0, 0.0}};
  scene.people = {person};
  sim::Simulator simulator(scene);
  double t = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(simulator.Render(t).depth.data());
    t += 1.0 / 30.0;
  }
}
BENCHMARK(BM_SimulatorClosePerson)->Unit(benchmark::kMillisecond);

}  // namespace
