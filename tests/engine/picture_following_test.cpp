// The list following its folder: when a new listing is due, where the round goes on after
// one, and the worker passing over what is gone and showing what was added.
#include "engine/picture_following.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <set>

#include "engine/background_preparer.h"
#include "fake_picture_decoder.h"

namespace velnor {
namespace {

using testing::CodedPicture;
using testing::DecoderLog;
using testing::FakePictureDecoder;

constexpr std::int64_t kSecond = 1'000'000;

// Catches a rescan per file while a folder is copied into, one never made at a round's end,
// a change forgotten because it came within the gap, and a slow listing repeated too often.
TEST(RescanSchedule, ListsAtRoundEndsAndAfterChangesButNotMoreOftenThanTheGap) {
    struct Step {
        std::int64_t at;
        bool roundEnds;
        bool changed;
        bool due;
    };
    RescanSchedule schedule(2 * kSecond, 50, 0);
    const Step steps[] = {
        {kSecond, true, false, false},      // a round ends within the gap of the start
        {kSecond, false, true, false},      // a change within the gap waits ...
        {2 * kSecond, false, false, true},  // ... and is acted on once the gap has passed
    };
    for (const Step& step : steps) {
        EXPECT_EQ(schedule.Due(step.at, step.roundEnds, step.changed), step.due) << step.at;
    }
    schedule.Listed(2 * kSecond, 2 * kSecond + kSecond / 10);  // a listing of 100 ms
    EXPECT_FALSE(schedule.Due(5 * kSecond, true, true));       // not before 50 times that
    EXPECT_TRUE(schedule.Due(7 * kSecond + kSecond / 10, false, false));  // the change kept
    schedule.Listed(8 * kSecond, 8 * kSecond);
    EXPECT_FALSE(schedule.Due(20 * kSecond, false, false));  // nothing changed, mid-round
}

struct JoinCase {
    const char* fault;
    PictureOrder order;
    std::vector<std::string> round;
    std::int32_t taken;
    std::vector<std::string> fresh;
    std::vector<std::string> joined;
    std::int32_t place;
};

// Catches the round starting over (or skipping ahead) after a listing in its middle, a
// deleted picture kept, and an added one ignored or put out of its order.
TEST(JoinListing, TheRoundGoesOnWhereItWasWithTheFolderAsItIsNow) {
    using enum PictureOrder;
    // clang-format off
    const JoinCase cases[] = {
        {"deleted ones drop out, the place stays", kListed,
         {"a", "b", "c", "d", "e"}, 2, {"a", "b", "e", "f"}, {"a", "b", "e", "f"}, 2},
        {"the last taken is gone: the next still there", kListed,
         {"a", "b", "c", "d", "e"}, 2, {"a", "c", "e"}, {"a", "c", "e"}, 1},
        {"all still to come are gone: the round ends", kListed,
         {"a", "b", "c"}, 1, {"a"}, {"a"}, 1},
        {"all are gone, new ones came: a new round", kListed,
         {"a", "b", "c"}, 1, {"x", "y"}, {"x", "y"}, 0},
        {"by name, new ones at their place", kName,
         {"IMG_1", "IMG_3", "IMG_5"}, 2, {"IMG_4", "IMG_5", "IMG_2", "IMG_1", "IMG_3"},
         {"IMG_1", "IMG_2", "IMG_3", "IMG_4", "IMG_5"}, 3},
        {"shuffled: the round's order kept", kShuffled,
         {"c", "a", "d", "b"}, 2, {"a", "b", "c", "d"}, {"c", "a", "d", "b"}, 2},
    };
    // clang-format on
    for (const JoinCase& c : cases) {
        Random random(7);
        PictureList fresh(c.fresh);
        const std::int32_t place =
            JoinListing(PictureList{c.round}, c.taken, fresh, c.order, random, {});
        EXPECT_EQ(fresh.paths, c.joined) << c.fault;
        EXPECT_EQ(place, c.place) << c.fault;
    }
}

// Catches a picture shown twice in one round, or a new one lost, after a shuffled round
// takes in a new listing.
TEST(JoinListing, ShuffledNewPicturesFollowTheRoundOnceEach) {
    Random random(3);
    PictureList fresh({"n1", "a", "n2", "b", "c", "n3"});
    const std::int32_t place = JoinListing(PictureList{{"b", "x", "a", "c"}}, 1, fresh,
                                           PictureOrder::kShuffled, random, {});
    const std::vector<std::string> joined = fresh.paths;
    ASSERT_EQ(joined.size(), 6u);
    EXPECT_EQ((std::vector<std::string>(joined.begin(), joined.begin() + 3)),
              (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(std::set<std::string>(joined.begin() + 3, joined.end()),
              (std::set<std::string>{"n1", "n2", "n3"}));
    EXPECT_EQ(place, 1);  // "x" is gone: "a" comes next
}

// A folder whose listing the test sets; it reports a change when the test says so.
struct FolderState {
    std::mutex mutex;
    std::vector<std::string> paths;
    bool changed = false;
    int listings = 0;
};

class FakeSource final : public PictureSource {
  public:
    explicit FakeSource(std::shared_ptr<FolderState> state) : state_(std::move(state)) {}
    PictureList List() override {
        std::lock_guard lock(state_->mutex);
        ++state_->listings;
        return PictureList{state_->paths};
    }
    bool TakeChange() override {
        std::lock_guard lock(state_->mutex);
        return std::exchange(state_->changed, false);
    }

  private:
    std::shared_ptr<FolderState> state_;
};

class FollowingPreparer : public ::testing::Test {
  protected:
    // Each picture has a width of its own, which tells the changes apart.
    static constexpr const char* kNames[] = {"a", "b", "c", "d", "new"};
    FollowingPreparer() {
        for (int i = 0; i < 5; ++i) log->pictures[kNames[i]] = CodedPicture(10 + i, 6);
    }
    BackgroundPreparer Start(std::vector<std::string> paths, std::int16_t order = 0) {
        folder->paths = paths;
        PictureFollowing following;
        following.source = std::make_unique<FakeSource>(folder);
        following.minRescanGap = std::chrono::microseconds(0);
        following.listingCostFactor = 0;
        return BackgroundPreparer(
            40, 30, PictureList{paths}, 0,
            [log = log] { return std::make_unique<FakePictureDecoder>(*log); }, order, 1,
            std::move(following));
    }
    void Delete(const std::string& name) {
        std::lock_guard lock(log->mutex);
        log->pictures.erase(name);
    }
    // The files shown by the next `count` changes.
    std::vector<std::string> Shown(BackgroundPreparer& preparer, int count) {
        std::vector<std::string> shown;
        for (int i = 0; i < count; ++i) {
            const PreparedBackground change = preparer.Take();
            shown.push_back(change.shown ? kNames[static_cast<int>(change.pictureWidth) - 10]
                                         : "-");
        }
        return shown;
    }
    std::shared_ptr<DecoderLog> log = std::make_shared<DecoderLog>();
    std::shared_ptr<FolderState> folder = std::make_shared<FolderState>();
};

// Catches added pictures never shown until a restart, and deleted ones tried every round.
TEST_F(FollowingPreparer, AddedPicturesComeInTheNextRoundAndDeletedOnesAreDropped) {
    BackgroundPreparer preparer = Start({"a", "b", "c"});
    EXPECT_EQ(Shown(preparer, 1), (std::vector<std::string>{"a"}));
    ASSERT_TRUE(log->WaitForDecodes(2));  // "b" is prepared before it goes
    {
        std::lock_guard lock(folder->mutex);
        folder->paths = {"a", "c", "new"};
    }
    Delete("b");
    EXPECT_EQ(Shown(preparer, 5), (std::vector<std::string>{"b", "c", "a", "c", "new"}));
    std::lock_guard lock(log->mutex);
    EXPECT_EQ(std::count(log->decoded.begin(), log->decoded.end(), "b"), 1);
}

// Catches a change report ignored until the round ends, and the place lost in a rescan.
TEST_F(FollowingPreparer, AReportedChangeIsTakenInMidRoundKeepingThePlace) {
    BackgroundPreparer preparer = Start({"a", "b", "c", "d"});
    EXPECT_EQ(Shown(preparer, 1), (std::vector<std::string>{"a"}));
    ASSERT_TRUE(log->WaitForDecodes(2));  // "b" is prepared from the list as it was
    {
        std::lock_guard lock(folder->mutex);
        folder->paths = {"a", "b", "c", "new"};  // "d" replaced by "new"
        folder->changed = true;
    }
    EXPECT_EQ(Shown(preparer, 4), (std::vector<std::string>{"b", "c", "new", "a"}));
}

// Catches a folder empty at the start staying black after pictures were copied into it.
TEST_F(FollowingPreparer, AFolderEmptyAtTheStartShowsWhatIsCopiedIn) {
    BackgroundPreparer preparer = Start({});
    const PreparedBackground first = preparer.Take();
    EXPECT_FALSE(first.shown);
    EXPECT_FALSE(first.retrySoon);
    {
        std::lock_guard lock(folder->mutex);
        folder->paths = {"new"};
    }
    // The change after the one taken may have been prepared before the copy.
    EXPECT_EQ(Shown(preparer, 2).back(), "new");
}

}  // namespace
}  // namespace velnor
