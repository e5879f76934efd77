// A plot window bound to its document: the persist task and its scale proxies exist only over a
// document that keeps state messages, the proxies read and write the task's ranges, and the
// plot's scaling events reach the document through the task.
#include <gtest/gtest.h>

#include <cfloat>

#include "hostframework/tests/host_fixture.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/proxy/etch_events.h"
#include "plotengine/tasks/persist_records.h"
#include "plotengine/tests/fake_plot_document.h"

namespace {

using plotengine_test::FakePlotDocument;
using Quor::EtchPlotWin;
using Quor::String;

class PlotPersistBindingTest : public HostFrameworkTest {};

TEST_F(PlotPersistBindingTest, WithoutTheStoreThePlotStaysUnbound) {
  FakePlotDocument plain(false);
  EtchPlotWin window(&plain);
  window.CreatePersistTask(u"rhyth_tachogram_view");
  EXPECT_EQ(window.PersistTask(), nullptr);
  EXPECT_EQ(window.XScale(), nullptr);
  EXPECT_EQ(window.YScale(), nullptr);

  EtchPlotWin orphan(nullptr);
  orphan.CreatePersistTask(u"rhyth_tachogram_view");
  EXPECT_EQ(orphan.PersistTask(), nullptr);
}

TEST_F(PlotPersistBindingTest, TheScaleProxiesReadAndWriteTheTasksRanges) {
  FakePlotDocument document;
  EtchPlotWin window(&document);
  window.CreatePersistTask(u"rhyth_tachogram_view");
  Quor::EtchPersistTask* task = window.PersistTask();
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->PlotId(), String(u"rhyth_tachogram_view"));
  window.CreatePersistTask(u"other");  // a bound plot stays bound as it was
  EXPECT_EQ(window.PersistTask(), task);

  Quor::ScaleProxy& x = *window.XScale();
  Quor::ScaleProxy& y = *window.YScale();
  EXPECT_EQ(x.GetIndex(), 0);
  EXPECT_EQ(y.GetIndex(), 1);
  EXPECT_EQ(y.GetLowestAllowed(), -DBL_MAX);
  EXPECT_EQ(y.GetHighestAllowed(), DBL_MAX);
  EXPECT_EQ(y.GetUnitText(), String());
  EXPECT_EQ(y.GetFlags(), 0);
  String message;
  EXPECT_TRUE(y.ValidateRange(1, 5, message));
  EXPECT_EQ(y.GetMin(), 0);
  EXPECT_EQ(y.GetMax(), 0);

  // An unset scale is not inverted; the x scale, still unset, is not sent.
  y.Invert();
  EXPECT_EQ(y.GetMin(), 0);
  y.SetRange(8, 2);
  EXPECT_EQ(y.GetMin(), 2);
  EXPECT_EQ(y.GetMax(), 8);
  ASSERT_EQ(document.ranges.size(), 1u);
  EXPECT_EQ(document.ranges[0].type, Quor::EtchYScalingMsgType::Id());
  EXPECT_EQ(document.ranges[0].min, 2);
  EXPECT_EQ(document.ranges[0].max, 8);
  EXPECT_EQ(document.ranges[0].flags & Quor::kEtchStateMode, Quor::kEtchStateMode);

  // Setting one scale sends both that are set, horizontal first.
  x.SetRange(10, -10);
  ASSERT_EQ(document.ranges.size(), 3u);
  EXPECT_EQ(document.ranges[1].type, Quor::EtchXScalingMsgType::Id());
  EXPECT_EQ(document.ranges[1].min, -10);
  EXPECT_EQ(document.ranges[2].type, Quor::EtchYScalingMsgType::Id());

  // Inverting swaps the stored ends and sends nothing.
  y.Invert();
  EXPECT_EQ(y.GetMin(), 8);
  EXPECT_EQ(y.GetMax(), 2);
  EXPECT_EQ(x.GetMin(), -10);
  EXPECT_EQ(document.ranges.size(), 3u);
}

TEST_F(PlotPersistBindingTest, ThePlotsScalingEventsReachTheDocumentUntilThePlotGoes) {
  FakePlotDocument document;
  auto window = std::make_unique<EtchPlotWin>(&document);
  window->CreatePersistTask(u"rhyth_spectrum_view");
  ISubject* subject = window->GetProxy()->GetSubject();
  const double values[] = {0.5, 4.5};
  const Quor::EtchScalingPayload scaling{u"rhyth_spectrum_view", values, 2, 0};
  subject->Notify(Quor::EtchXScalingChangedType::Id(), 0, &scaling);
  ASSERT_EQ(document.ranges.size(), 1u);
  EXPECT_EQ(document.ranges[0].type, Quor::EtchXScalingMsgType::Id());
  EXPECT_EQ(document.ranges[0].max, 4.5);
  window.reset();
  EXPECT_EQ(document.ranges.size(), 1u);
}

}  // namespace
