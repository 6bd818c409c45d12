// The background worker: it prepares the changes in list order, passes unreadable files
// on as "no change", never blocks TryTake, and is stopped without waiting for a decode
// that hangs.
#include "engine/background_preparer.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "fake_picture_decoder.h"

namespace velnor {
namespace {

using testing::CodedPicture;
using testing::DecoderLog;
using testing::FakePictureDecoder;
using testing::ListOf;

// The worker may outlive a preparer (it is left behind when busy), so it keeps a share
// of the log its decoder writes to.
BackgroundPreparer::DecoderFactory FakeFactory(const std::shared_ptr<DecoderLog>& log) {
    return [log] { return std::make_unique<FakePictureDecoder>(*log); };
}

class BackgroundPreparerTest : public ::testing::Test {
  protected:
    BackgroundPreparerTest() {
        log.pictures["a.jpg"] = CodedPicture(40, 30);
        log.pictures["b.bmp"] = CodedPicture(20, 15);
    }
    std::shared_ptr<DecoderLog> shared = std::make_shared<DecoderLog>();
    DecoderLog& log = *shared;
};

// Catches an unreadable file costing a change of its own (the picture before it held for
// another interval) instead of being passed over within the same change.
TEST_F(BackgroundPreparerTest, ChangesComeInListOrderWithUnreadableFilesPassedOver) {
    BackgroundPreparer preparer(40, 30, ListOf({"a.jpg", "broken.gif", "b.bmp"}), 1,
                                FakeFactory(shared));
    struct Expected {
        bool shown;
        int index;
        int pictureWidth;
    };
    const Expected expected[] = {{true, 1, 40}, {true, 0, 20}, {true, 1, 40}, {true, 0, 20}};
    for (const Expected& e : expected) {
        const PreparedBackground change = preparer.Take();
        EXPECT_EQ(change.shown, e.shown);
        EXPECT_EQ(change.pictureIndex, e.index);
        EXPECT_EQ(change.pictureWidth, e.pictureWidth);
        if (e.shown) {
            BackgroundPictures direct(40, 30);
            ComposePicture(direct, log.pictures[e.pictureWidth == 40 ? "a.jpg" : "b.bmp"], 1);
            EXPECT_EQ(change.Pic_B, direct.Pic_B);
        } else {
            EXPECT_TRUE(change.Pic_B.empty());
        }
    }
}

TEST_F(BackgroundPreparerTest, TheNextChangeIsPreparedWithoutBeingAskedAndTryTakeNeverWaits) {
    log.holding = true;
    BackgroundPreparer preparer(40, 30, ListOf({"a.jpg", "b.bmp"}), 0, FakeFactory(shared));
    ASSERT_TRUE(log.WaitForDecodes(1));
    EXPECT_FALSE(preparer.TryTake().has_value());  // the decode is still held
    log.Release();
    EXPECT_EQ(preparer.Take().pictureIndex, 1);
    // Taking a change starts the following one at once.
    ASSERT_TRUE(log.WaitForDecodes(2));
    const PreparedBackground second = preparer.Take();
    EXPECT_EQ(second.pictureIndex, 0);
    ASSERT_TRUE(log.WaitForDecodes(3));
    std::lock_guard lock(log.mutex);
    EXPECT_EQ(log.decoded, (std::vector<std::string>{"a.jpg", "b.bmp", "a.jpg"}));
}

TEST_F(BackgroundPreparerTest, OnlyOneChangeIsPreparedAhead) {
    BackgroundPreparer preparer(40, 30, ListOf({"a.jpg", "b.bmp"}), 1, FakeFactory(shared));
    ASSERT_TRUE(log.WaitForDecodes(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::lock_guard lock(log.mutex);
    EXPECT_EQ(log.decoded.size(), 1u);
}

// A decode that hangs (a file on a dead mount) must not hold up the end of the program:
// the preparer is gone at once, and the worker it left behind starts nothing more when
// the decode returns at last. The log is shared, as the worker outlives this test's view.
TEST(BackgroundPreparerStop, DestructionNeverWaitsForAHungDecode) {
    auto log = std::make_shared<DecoderLog>();
    log->pictures["a.jpg"] = CodedPicture(40, 30);
    log->holding = true;
    auto preparer =
        std::make_unique<BackgroundPreparer>(40, 30, ListOf({"a.jpg"}), 1, FakeFactory(log));
    ASSERT_TRUE(log->WaitForDecodes(1));
    auto destroyed = std::async(std::launch::async, [&] { preparer.reset(); });
    EXPECT_EQ(destroyed.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    log->Release();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::lock_guard lock(log->mutex);
    EXPECT_EQ(log->decoded.size(), 1u);  // nothing was started after the stop
}

TEST_F(BackgroundPreparerTest, TheDecoderIsMadeOnTheWorkerThread) {
    std::promise<std::thread::id> madeOn;
    BackgroundPreparer preparer(40, 30, ListOf({"a.jpg"}), 1, [&madeOn, log = shared] {
        madeOn.set_value(std::this_thread::get_id());
        return std::make_unique<FakePictureDecoder>(*log);
    });
    EXPECT_NE(madeOn.get_future().get(), std::this_thread::get_id());
    EXPECT_TRUE(preparer.Take().shown);
}

// Catches a list of only unreadable files asking for a retry every second for ever.
TEST_F(BackgroundPreparerTest, WithoutADecoderEveryFileCountsAsUnreadable) {
    BackgroundPreparer preparer(40, 30, ListOf({"a.jpg", "b.bmp"}), 1,
                                [] { return std::unique_ptr<PictureDecoder>{}; });
    const PreparedBackground first = preparer.Take();
    EXPECT_FALSE(first.shown);
    EXPECT_FALSE(first.retrySoon);  // every file was tried in this change
    EXPECT_TRUE(first.Pic_B.empty());
}

}  // namespace
}  // namespace velnor
