// Full banner renders on the real font back end, warm (after a first render).
#include <benchmark/benchmark.h>

#include "banner/render/banner_renderer.h"

namespace {

using plakato::BannerRenderer;
using plakato::BannerSettings;

BannerSettings DesignedBanner() {
  BannerSettings s;
  s.BackGround.Pattern = plakato::kGradient3;
  s.BackGround.Color1 = 0x3050F0;
  s.BackGround.Color2 = 0xF0F0F0;
  s.BackGround.Color3 = 0x804020;
  s.BackGround.Buttonize = true;
  s.Title.String = "春の大感謝セール開催";  // 10 characters
  s.Title.FontName = "ＭＳ Ｐゴシック";
  s.Title.Location = 0;
  s.Title.Pattern = 2;
  s.Title.Color1 = 0x0000C0;
  s.Title.Color2 = 0x00C0C0;
  s.Title.Color3 = 0xC00000;
  s.Title.Direction = 0;
  s.Title.Shadow = true;
  s.Title.ShadowColor = 0x404040;
  s.Title.Offset = 2;
  s.Title.ShadowDirection = 0;
  return s;
}

void RenderWarm(benchmark::State& state, BannerSettings settings) {
  auto renderer = BannerRenderer::CreateDefault();
  renderer->SetTitleFont("ＭＳ Ｐゴシック", true, false);
  renderer->Render(settings, nullptr);
  for (auto _ : state) {
    renderer->Render(settings, nullptr);
    benchmark::DoNotOptimize(renderer->preview().data());
  }
}

void BM_Render234x60DiagonalGradient(benchmark::State& state) {
  BannerSettings s = DesignedBanner();
  s.Size.index = 3;
  s.BackGround.Direction = 3;
  RenderWarm(state, s);
}
BENCHMARK(BM_Render234x60DiagonalGradient)->Unit(benchmark::kMicrosecond);

void BM_Render999x999CircularGradient(benchmark::State& state) {
  BannerSettings s = DesignedBanner();
  s.Size.index = plakato::kUserSizeItem;
  s.Size.Width = "999";
  s.Size.Height = "999";
  s.BackGround.Direction = 4;
  RenderWarm(state, s);
}
BENCHMARK(BM_Render999x999CircularGradient)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
