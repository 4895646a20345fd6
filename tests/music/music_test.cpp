// Music tracks: listing the folder, loading a random track, and the cases that
// must neither crash nor touch a track twice.
#include <allegro.h>
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "oggsmp/oggsmp.h"
#include "shell/loop.h"
#include "core/music.h"
#include "support/test_env.h"

namespace {

void touch(const std::string &name, const char *text = "") {
    FILE *f = fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr) << name;
    fputs(text, f);
    fclose(f);
}

// A short tone, encoded by our own encoder.
void writeTone(const std::string &name) {
    SAMPLE *s = create_sample(16, 0, 11025, 4000);
    for (int i = 0; i < 4000; i++)
        ((unsigned short *)s->data)[i] = (unsigned short)(32768 + 20000 * sin(i * 0.2));
    ASSERT_EQ(oggsmp_save_ogg(name.c_str(), s), 1);
    destroy_sample(s);
}

// Each test runs in a fresh empty folder.
class Music : public ::testing::Test {
protected:
    std::string old, dir;
    void SetUp() override {
        startHeadlessAllegro();
        char cwd[4096];
        old = getcwd(cwd, sizeof cwd) ? cwd : ".";
        char pattern[] = "/tmp/gor-music-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_EQ(chdir(dir.c_str()), 0);
        releaseTrack();
        musicLoaded = 0;
        music = 0;
    }
    void TearDown() override {
        releaseTrack();
        if (chdir(old.c_str()) != 0)
            ADD_FAILURE() << "cannot return to " << old;
        if (system(("rm -rf '" + dir + "'").c_str()) != 0)
            ADD_FAILURE() << "cannot remove " << dir;
    }
};

TEST_F(Music, EmptyFolderMeansNoMusicAndNoCrash) {
    listTracks();
    EXPECT_EQ(file_list.count, 0);
    speed_counter = 5;
    for (int tick = 0; tick < 3; tick++)
        loadTrack();  // called every tick while nothing is loaded
    EXPECT_EQ(sample, nullptr);
    EXPECT_EQ(musicLoaded, 0);
    EXPECT_EQ(speed_counter, 5);  // no track loaded: the counter is left alone
    startTrack();
    stopTrack();
    releaseTrack();
    EXPECT_EQ(voice, -1);
}

TEST_F(Music, ListsOggFilesThatFitTheList) {
    touch("one.ogg");
    touch("two.ogg");
    touch("readme.txt");
    touch(".hidden.ogg");
    ASSERT_EQ(chmod("two.ogg", 0444), 0);
    ASSERT_EQ(chmod(".", 0755), 0);
    ASSERT_EQ(mkdir("folder.ogg", 0755), 0);
    std::string fits = std::string(75, 'a') + ".ogg";  // 79 characters
    std::string tooLong = std::string(76, 'b') + ".ogg";
    touch(fits);
    touch(tooLong);
    {
        AsAnotherUser reader;  // the library marks the files he may not write read-only
        listTracks();
    }
    ASSERT_EQ(file_list.count, 3);
    std::string names;
    for (int i = 0; i < file_list.count; i++)
        names += std::string(file_list.name[i]) + ",";
    EXPECT_NE(names.find("one.ogg,"), std::string::npos);
    EXPECT_NE(names.find("two.ogg,"), std::string::npos) << "read-only";
    EXPECT_NE(names.find(fits + ","), std::string::npos);
    EXPECT_EQ(names.find(tooLong), std::string::npos);

    for (int i = 0; i < 520; i++)
        touch("t" + std::to_string(i) + ".ogg");
    listTracks();
    EXPECT_EQ(file_list.count, 500);
}

// The second listing starts the list afresh and leaves start-up's mark alone.
TEST_F(Music, CountingMusicListsAfreshAndLeavesTheMarkAlone) {
    touch("one.ogg");
    touch("two.ogg");
    for (int mark : {0, 1}) {
        countMusic = mark;
        file_list.count = 7;
        countingMusic();
        EXPECT_EQ(file_list.count, 2) << "mark " << mark;
        EXPECT_EQ(countMusic, mark);
    }
    countMusic = 0;
}

TEST_F(Music, UndecodableFilesAreSkipped) {
    touch("broken.ogg", "definitely not an Ogg Vorbis stream");
    touch("empty.ogg");
    writeTone("good.ogg");
    listTracks();
    ASSERT_EQ(file_list.count, 3);
    for (unsigned seed = 1; seed <= 6; seed++) {
        srand(seed);
        speed_counter = 9;
        musicLoaded = 0;
        loadTrack();
        ASSERT_NE(sample, nullptr);
        EXPECT_EQ(sample->len, 4000u);
        EXPECT_EQ(musicLoaded, 1);
        EXPECT_EQ(speed_counter, 0);
    }
    EXPECT_EQ(file_list.count, 1);
    EXPECT_STREQ(file_list.name[0], "good.ogg");
    // The last file undecodable too: no track held, none marked loaded, the list empty.
    releaseTrack();
    remove("good.ogg");
    musicLoaded = 0;
    loadTrack();
    EXPECT_TRUE(sample == nullptr && musicLoaded == 0 && file_list.count == 0);

    // First, in the middle or last: picked first, the broken file is dropped, the good
    // ones keep their order, and one of them plays.
    writeTone("a.ogg");
    writeTone("c.ogg");
    for (int at = 0; at < 3; at++) {
        std::vector<std::string> order = {"a.ogg", "c.ogg"};
        order.insert(order.begin() + at, "broken.ogg");
        file_list.count = 0;
        for (const std::string &name : order)
            trackCount(name.c_str(), 0, 0);
        unsigned seed = 1;
        while (srand(seed), rand() % 3 != at)  // the first pick is rand() % count
            seed++;
        srand(seed);
        releaseTrack();
        loadTrack();
        EXPECT_NE(sample, nullptr) << "broken file at " << at;
        ASSERT_EQ(file_list.count, 2) << "broken file at " << at;
        EXPECT_STREQ(file_list.name[0], "a.ogg");
        EXPECT_STREQ(file_list.name[1], "c.ogg");
    }
}

// With music off a loaded track is never started: the title screen's and the
// pre-screen's set-ups both release it, and Space on the pre-screen's first
// frame starts the bout with no track held.
TEST_F(Music, ReleasingTwiceAndStartingAfterReleaseAreHarmless) {
    writeTone("tune.ogg");
    listTracks();
    loadTrack();
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(musicLoaded, 1);
    releaseTrack();  // title screen set-up (musicLoaded stays 1)
    EXPECT_EQ(sample, nullptr);
    EXPECT_EQ(voice, -1);
    releaseTrack();  // pre-screen set-up
    musicLoaded = 0;
    startTrack();  // the first game frame
    music = 1;
    stopTrack();
    EXPECT_EQ(sample, nullptr);

    // and the next pre-screen loads a fresh track, started once
    music = 0;
    loadTrack();
    ASSERT_NE(sample, nullptr);
    speed_counter = 3;
    startTrack();
    EXPECT_EQ(musicLoaded, 0);
    EXPECT_EQ(speed_counter, 0);
    music = 1;
    speed_counter = 3;
    startTrack();  // already playing: nothing happens
    EXPECT_EQ(speed_counter, 3);
}

}  // namespace

namespace {

// The track the build composes: stereo, over a minute, and a seamless loop.
TEST(GameTrack, IsALoopableStereoMinute) {
    startHeadlessAllegro();
    const char *dir = getenv("GOR_GAME_DIR");
    ASSERT_NE(dir, nullptr);
    SAMPLE *s = oggsmp_load_ogg((std::string(dir) + "/gor_theme.ogg").c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->stereo, 1);
    EXPECT_GE(s->len, 60u * (unsigned long)s->freq);
    const unsigned short *d = (const unsigned short *)s->data;
    long frames = (long)s->len;
    double sum = 0;
    std::vector<long> steps;
    for (long i = 2; i < frames * 2; i++) {
        sum += (d[i] - 32768.0) * (d[i] - 32768.0);
        steps.push_back(labs((long)d[i] - d[i - 2]));
    }
    EXPECT_GT(sqrt(sum / (frames * 2)), 2000.0);  // not silence
    // the jump from the last frame back to the first is no bigger than the
    // music's own steps, bar the sharpest 1% of them
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    long sharp = steps[steps.size() * 99 / 100];
    for (int c = 0; c < 2; c++)
        EXPECT_LE(labs((long)d[2 * (frames - 1) + c] - d[c]), sharp) << "channel " << c;
    destroy_sample(s);
}

}  // namespace
