#include "analysis/data/user_event_data.h"

#include <gtest/gtest.h>

#include "analysis/data/event_id_cache.h"

namespace {

using Rhyth::BeatPosition;

TEST(UserEventData, SetsOfPositionsOrderedByRecordThenOffset) {
  auto* data = new Rhyth::UserEventData;
  data->AddRef();
  VARIANT_BOOL empty = VARIANT_FALSE;
  EXPECT_EQ(data->IsEmpty(&empty), S_OK);
  EXPECT_EQ(empty, VARIANT_TRUE);
  BeatPosition found{};
  const BeatPosition origin{0, 0};
  EXPECT_EQ(data->Find(&origin, FALSE, &found), S_FALSE);
  EXPECT_EQ(found, Rhyth::kNoBeatPlace);

  const BeatPosition late{5, 2}, early{900, 1}, again{900, 1};
  data->Add(&late, FALSE);
  data->Add(&early, FALSE);
  data->Add(&again, FALSE);
  EXPECT_EQ(data->Added().size(), 2u);
  EXPECT_EQ(data->IsEmpty(nullptr), S_FALSE);
  const BeatPosition after{901, 1};
  EXPECT_EQ(data->Find(&after, FALSE, &found), S_OK);
  EXPECT_EQ(found, late);  // record 2 comes after record 1 whatever the offset
  EXPECT_EQ(data->Find(&after, TRUE, &found), S_FALSE);

  EXPECT_EQ(data->Remove(&origin, FALSE), S_OK);  // absent: still fine
  EXPECT_EQ(data->Add(nullptr, FALSE), E_FAIL);
  EXPECT_EQ(data->Find(&origin, FALSE, nullptr), E_FAIL);

  IPendrelDataChildData* copy = nullptr;
  ASSERT_EQ(data->Duplicate(0, 0, 0, 0, 0, 0, &copy), S_OK);
  data->Clear();
  EXPECT_EQ(static_cast<Rhyth::UserEventData*>(copy)->Added().size(), 2u);
  copy->Release();
  data->Release();
}

TEST(EventIdCache, LastBeatNumberPerRecord) {
  auto* cache = new Rhyth::EventIdCache;
  cache->AddRef();
  DWORD value = 99;
  EXPECT_EQ(cache->GetId(3, &value), S_FALSE);
  EXPECT_EQ(value, 0u);
  cache->SetId(3, 17);
  cache->SetId(3, 18);
  EXPECT_EQ(cache->GetId(3, &value), S_OK);
  EXPECT_EQ(value, 18u);
  EXPECT_EQ(cache->IsEmpty(nullptr), S_FALSE);
  cache->Clear();
  VARIANT_BOOL empty = VARIANT_FALSE;
  EXPECT_EQ(cache->IsEmpty(&empty), S_OK);
  EXPECT_EQ(empty, VARIANT_TRUE);
  cache->Release();
}

}  // namespace
