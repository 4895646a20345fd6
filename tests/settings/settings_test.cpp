// The settings file, the key-code translation and the capture of keys and pad buttons.
#include <allegro.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <grp.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/configfile.h"
#include "core/music.h"
#include "core/settings.h"
#include "core/unlocks.h"
#include "shell/harness.h"
#include "shell/startup.h"
#include "support/test_env.h"

namespace {

// Each test runs in a fresh folder of its own, so gorSetup.cfg starts absent.
class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        startHeadlessAllegro();
        ASSERT_NE(getcwd(home, sizeof home), nullptr);
        strcpy(dir, "/tmp/gor-settings-XXXXXX");
        ASSERT_NE(mkdtemp(dir), nullptr);
        ASSERT_EQ(chdir(dir), 0);
        team_list.count = 0;
        memset((void *)key, 0, KEY_MAX);
        for (int b = 0; b < BIND_COUNT; b++)
            keyBindings[b].active = 0;
    }
    void TearDown() override
    {
        unlink((std::string(dir) + "/gorSetup.cfg").c_str());
        EXPECT_EQ(chdir(home), 0);
        rmdir(dir);
    }
    static void writeFile(const char *text)
    {
        FILE *f = fopen("gorSetup.cfg", "w");
        fputs(text, f);
        fclose(f);
    }
    // "section/key" of every line of the file, in file order.
    static std::vector<std::string> fileKeys()
    {
        std::vector<std::string> keys;
        FILE *f = fopen("gorSetup.cfg", "r");
        if (!f)
            return keys;
        char line[256], section[64] = "";
        while (fgets(line, sizeof line, f)) {
            char name[64];
            if (sscanf(line, "[%63[^]]]", section) == 1)
                continue;
            if (sscanf(line, " %63[^ =] =", name) == 1 && strchr(line, '='))
                keys.push_back(std::string(section) + "/" + name);
        }
        fclose(f);
        return keys;
    }
    // The names in the test's folder, sorted.
    static std::vector<std::string> folderNames()
    {
        std::vector<std::string> names;
        DIR *d = opendir(".");
        while (struct dirent *e = d ? readdir(d) : NULL)
            if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, ".."))
                names.push_back(e->d_name);
        if (d)
            closedir(d);
        std::sort(names.begin(), names.end());
        return names;
    }
    char home[1024], dir[64];
};

TEST_F(Settings, FirstStartDefaultsAndTheCompleteFileWritten)
{
    resx = resy = musicOn = TitleWobble = p2cpu = AIcomp = GameLength = 99;
    for (int b = 0; b < BIND_COUNT; b++)
        keyBindings[b].code = 99;
    get_settings();
    EXPECT_EQ(resx, 800);
    EXPECT_EQ(resy, 600);
    EXPECT_EQ(musicOn, 1);
    EXPECT_EQ(TitleWobble, 3);
    EXPECT_EQ(p2cpu, 0);
    EXPECT_EQ(AIcomp, 1);
    EXPECT_EQ(GameLength, 1);
    // A, D, W, S, G, H, J; the cursor keys and keypad 1 to 3; pad buttons 3, 2, 0.
    int keys1[] = {p1left, p1right, p1up, p1down, p1fire, p1action, p1bomb};
    int keys2[] = {p2left, p2right, p2up, p2down, p2fire, p2action, p2bomb};
    int want1[] = {KEY_A, KEY_D, KEY_W, KEY_S, KEY_G, KEY_H, KEY_J};
    int want2[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_1_PAD, KEY_2_PAD, KEY_3_PAD};
    for (int i = 0; i < 7; i++) {
        EXPECT_EQ(keys1[i], want1[i]) << i;
        EXPECT_EQ(keys2[i], want2[i]) << i;
    }
    EXPECT_EQ(p1padfire, 3);
    EXPECT_EQ(p1padaction, 2);
    EXPECT_EQ(p1padbomb, 0);
    EXPECT_EQ(p2padfire, 3);
    EXPECT_EQ(p2padaction, 2);
    EXPECT_EQ(p2padbomb, 0);
    EXPECT_EQ(credhigh, 0);
    EXPECT_EQ(credunlocked, 0);
    EXPECT_EQ(GreenTeam_list, -1);
    EXPECT_EQ(PurpleTeam_list, -1);
    EXPECT_EQ(p1leftx, 550);
    EXPECT_EQ(p2padbomby, 832);

    set_settings();
    std::vector<std::string> want = {
        "Settings/resx", "Settings/resy", "Settings/musicOn", "Settings/TitleWobble",
        "Settings/p2cpu", "Settings/AIcomp", "Settings/GameLength", "Settings/p1left",
        "Settings/p1right", "Settings/p1up", "Settings/p1down", "Settings/p1fire",
        "Settings/p1action", "Settings/p1bomb", "Settings/p1padfire", "Settings/p1padaction",
        "Settings/p1padbomb", "Settings/p2left", "Settings/p2right", "Settings/p2up",
        "Settings/p2down", "Settings/p2fire", "Settings/p2action", "Settings/p2bomb",
        "Settings/p2padfire", "Settings/p2padaction", "Settings/p2padbomb",
        "Settings/CredHiScore", "Settings/CredUnlocked", "Teams/Green", "Teams/Purple"};
    std::vector<std::string> got = fileKeys();
    std::sort(want.begin(), want.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, want);
}

TEST_F(Settings, EverySavedValueIsReadBack)
{
    resx = 1280, resy = 1024, musicOn = 0, TitleWobble = 7, p2cpu = 1, AIcomp = 3;
    GameLength = 4, credhigh = 1234, credunlocked = 4321;
    team_list.count = 1;
    GreenTeam_list = 0, PurpleTeam_list = 0;
    for (int b = 0; b < BIND_COUNT; b++)
        keyBindings[b].code = b < BIND_KEY_COUNT ? 40 + b : b - BIND_KEY_COUNT;
    p1action = KEY_CODE_LSHIFT;
    set_settings();

    resx = resy = musicOn = TitleWobble = p2cpu = AIcomp = GameLength = 0;
    credhigh = credunlocked = GreenTeam_list = PurpleTeam_list = 5;
    for (int b = 0; b < BIND_COUNT; b++)
        keyBindings[b].code = 77;
    get_settings();
    EXPECT_EQ(resx, 1280);
    EXPECT_EQ(resy, 1024);
    EXPECT_EQ(musicOn, 0);
    EXPECT_EQ(TitleWobble, 7);
    EXPECT_EQ(p2cpu, 1);
    EXPECT_EQ(AIcomp, 3);
    EXPECT_EQ(GameLength, 4);
    EXPECT_EQ(credhigh, 1234);
    EXPECT_EQ(credunlocked, 4321);
    EXPECT_EQ(GreenTeam_list, 0);
    EXPECT_EQ(PurpleTeam_list, 0);
    for (int b = 0; b < BIND_COUNT; b++) {
        int want = b < BIND_KEY_COUNT ? 40 + b : b - BIND_KEY_COUNT;
        if (b == BIND_P1_ACTION)
            want = KEY_CODE_LSHIFT;
        EXPECT_EQ(keyBindings[b].code, want) << b;
    }
}

TEST_F(Settings, MissingKeysTakeTheirDefaults)
{
    writeFile("[Settings]\np1fire = 75\nresx = 1600\nresy = 1200\n");
    get_settings();
    EXPECT_EQ(p1fire, KEY_SPACE);
    EXPECT_EQ(resx, 1600);
    EXPECT_EQ(resy, 1200);
    EXPECT_EQ(p1left, KEY_A);
    EXPECT_EQ(p2bomb, KEY_3_PAD);
    EXPECT_EQ(musicOn, 1);
    EXPECT_EQ(GreenTeam_list, -1);
}

TEST_F(Settings, StrayBytesInTheFileAreReadAsPlainText)
{
    // Bytes that are no valid UTF-8 once made the library's parser loop for ever.
    writeFile("[Sett\x97\x95\x98\x8f]\nrin:bom\x95\x95\xff\xff\xff\xff\x95\x95" "10\n"
              "[Settings]\nAIcomp = 2\xff\n");
    get_settings();
    EXPECT_EQ(AIcomp, 2);
    EXPECT_EQ(p1left, KEY_A);
    set_settings();
    get_settings();
    EXPECT_EQ(AIcomp, 2);
}

TEST_F(Settings, TeamsAreWrittenAsNoneWhileTheTeamListIsEmpty)
{
    writeFile("[Teams]\nGreen = 2\nPurple = 3\n");
    get_settings();
    EXPECT_EQ(GreenTeam_list, 2);
    set_settings();
    GreenTeam_list = PurpleTeam_list = 9;
    get_settings();
    EXPECT_EQ(GreenTeam_list, -1);
    EXPECT_EQ(PurpleTeam_list, -1);
}

// A folder the player may read but not write, then a read-only file in a folder he may
// write: the terminal is told which file and why, once while the same failure repeats, and
// the file stays as it was. Saved in between, the same failure is told again.
TEST_F(Settings, AFileThatCannotBeWrittenIsNamedOnTheTerminalAndLeftAsItWas)
{
    writeFile("[Settings]\nresx = 1280\n");
    resx = 1600;
    ASSERT_EQ(chmod("gorSetup.cfg", 0444), 0);
    testing::internal::CaptureStderr();
    for (mode_t folder : {0555, 0777}) {
        ASSERT_EQ(chmod(".", folder), 0);
        AsAnotherUser player;
        set_settings();
        set_settings();
    }
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told, "gor: cannot save gorSetup.cfg: Permission denied\n");
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), "[Settings]\nresx = 1280\n");
    ASSERT_EQ(chmod(".", 0700), 0);
    ASSERT_EQ(chmod("gorSetup.cfg", 0644), 0);
    set_settings();   // writable again: written
    resx = 0;
    get_settings();
    EXPECT_EQ(resx, 1600);
    ASSERT_EQ(chmod("gorSetup.cfg", 0444), 0);
    testing::internal::CaptureStderr();
    {
        AsAnotherUser player;
        set_settings();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), told);
    ASSERT_EQ(chmod("gorSetup.cfg", 0644), 0);
}

// A save keeps the file one file: its second name reads the new text, longer or shorter,
// and an unsaved change is not written when another file is selected. The permissions carry
// over, and every value reads back, the game's and any others.
TEST_F(Settings, ASaveKeepsEveryNameOfTheFileAndEveryValueReadsBack)
{
    writeFile("top = 1\n[Settings]\nresx = 1280\nmine = x y\n\n[Other]\nk = 2\n");
    ASSERT_EQ(chmod("gorSetup.cfg", 0640), 0);
    ASSERT_EQ(link("gorSetup.cfg", "held"), 0);
    get_settings();
    resx = 1600;
    set_settings();
    std::string saved = harnessReadFile("gorSetup.cfg");
    set_config_int("Settings", "resx", 800);
    get_mapdata();
    EXPECT_EQ(harnessReadFile("held"), saved);
    resx = 16;
    set_settings();
    saved.replace(saved.find("resx = 1600"), 11, "resx = 16");
    EXPECT_EQ(harnessReadFile("held"), saved);
    unlink("held");
    EXPECT_EQ(folderNames(), std::vector<std::string>{"gorSetup.cfg"});
    struct stat st;
    ASSERT_EQ(stat("gorSetup.cfg", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    resx = 0;
    get_settings();
    EXPECT_EQ(resx, 16);
    EXPECT_STREQ(get_config_string(NULL, "top", ""), "1");
    EXPECT_STREQ(get_config_string("Settings", "mine", ""), "x y");
    EXPECT_EQ(get_config_int("Other", "k", 0), 2);
}

// Where the file system has no unnamed files (as on a network share), a save names its own;
// where it cannot set a mode (FAT through FUSE), fchmod answers ENOSYS. A filter on this
// process's system calls stands in for such a file system: `call` fails with `err` where its
// argument number `arg` (the third by default) has any of `flags` (where `flags` is 0,
// always), or where `equal`, is `flags`; `err` 0 ends the process there, as a kill would.
void refuseCall(int call, unsigned flags, int err, int arg = 2, bool equal = false)
{
    const unsigned refusal = err ? SECCOMP_RET_ERRNO | (unsigned)err : SECCOMP_RET_KILL_PROCESS;
    struct sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, (unsigned)call, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS,
                 (unsigned)(offsetof(struct seccomp_data, args) + arg * sizeof(__u64))),
        BPF_JUMP(BPF_JMP | (equal ? BPF_JEQ : BPF_JSET) | BPF_K, flags, 0,
                 (__u8)(flags || equal)),
        BPF_STMT(BPF_RET | BPF_K, refusal),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog filter = {(unsigned short)(sizeof code / sizeof code[0]), code};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) != 0)
        _exit(3);
}

void refuseUnnamedFiles()
{
    refuseCall(__NR_openat, __O_TMPFILE, EOPNOTSUPP);
}

// A copy of the game doing `work`, then ending, and the pipe its terminal writes into.
struct Copy {
    pid_t pid;
    int told;
};

template <class Work>
Copy startCopy(Work work)
{
    int told[2];
    if (pipe(told) != 0)
        return {-1, -1};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(told[1], 2);
        work();
        _exit(0);
    }
    close(told[1]);
    return {pid, told[0]};
}

// What the copy told its terminal, once it has ended, and how it ended in `*status`.
std::string endCopy(Copy copy, int *status)
{
    *status = -1;
    if (copy.pid < 0)
        return "no copy";
    std::string text;
    char bytes[256];
    for (ssize_t n; (n = read(copy.told, bytes, sizeof bytes)) > 0;)
        text.append(bytes, (size_t)n);
    close(copy.told);
    waitpid(copy.pid, status, 0);
    return text;
}

template <class Work>
std::string inACopy(Work work, int *status)
{
    return endCopy(startCopy(work), status);
}

// A save cut off part-way by a limit on file size (as by a full disk), in an unnamed file and
// in a named one: the game goes on, names the file once, and the old file stays byte for
// byte with nothing beside it; with no file before, none is made.
TEST_F(Settings, ASaveCutOffLeavesTheOldFileAsItWasAndNamesIt)
{
    writeFile("[Settings]\nresx = 1280\n");
    get_settings();
    for (int before = 1; before >= 0; before--)
        for (int named = 0; named < 2; named++) {
            if (!before)
                unlink("gorSetup.cfg");
            int status;
            const std::string told = inACopy(
                [named] {
                    if (named)
                        refuseUnnamedFiles();
                    struct rlimit small;
                    getrlimit(RLIMIT_FSIZE, &small);
                    small.rlim_cur = 100;
                    setrlimit(RLIMIT_FSIZE, &small);
                    signal(SIGXFSZ, SIG_DFL);   // which ends a program that writes past it
                    set_settings();
                    set_settings();
                },
                &status);
            EXPECT_EQ(status, 0) << named;
            EXPECT_EQ(told, "gor: cannot save gorSetup.cfg: File too large\n") << named;
            if (before) {
                EXPECT_EQ(harnessReadFile("gorSetup.cfg"), "[Settings]\nresx = 1280\n") << named;
                EXPECT_EQ(folderNames(), std::vector<std::string>{"gorSetup.cfg"}) << named;
            } else {
                EXPECT_EQ(folderNames(), std::vector<std::string>{}) << named;
            }
        }
}

// A file system that cannot set a mode, or that refuses the mode a new file has already:
// the save goes on. Any other refusal still stops it, and the file stays as it was.
TEST_F(Settings, AFileSystemThatCannotSetModesStillSaves)
{
    struct Row {
        int err;
        mode_t mode;
        const char *told;
    } rows[] = {{ENOSYS, 0640, ""},
                {EPERM, 0644, ""},   // a new file's, under umask 022
                {EPERM, 0640, "gor: cannot save gorSetup.cfg: Operation not permitted\n"}};
    for (const Row &row : rows) {
        writeFile("[Settings]\nresx = 1280\n");
        ASSERT_EQ(chmod("gorSetup.cfg", row.mode), 0);
        resx = 1600;
        int status;
        const std::string told = inACopy(
            [&row] {
                umask(022);
                refuseCall(__NR_fchmod, 0, row.err);
                set_settings();
            },
            &status);
        EXPECT_EQ(status, 0) << row.err;
        EXPECT_EQ(told, row.told) << row.err;
        get_settings();
        EXPECT_EQ(resx, row.told[0] ? 1280 : 1600) << row.err;
    }
}

// A name that is a link to a device or a pipe, a common way to keep a game from saving: it
// reads as no file at once (a pipe is not waited on), the device or pipe stays itself, and
// the save says once that it cannot save there.
TEST_F(Settings, ALinkToADeviceOrAPipeIsNeitherWaitedOnNorReplaced)
{
    ASSERT_EQ(mkfifo("pipe", 0666), 0);
    std::vector<const char *> nodes = {"pipe"};
    if (mknod("null", S_IFCHR | 0666, makedev(1, 3)) == 0)   // root only; CI runs as root
        nodes.push_back("null");
    else
        printf("no device node: only the pipe is tried\n");
    for (const char *node : nodes) {
        unlink("gorSetup.cfg");
        ASSERT_EQ(symlink(node, "gorSetup.cfg"), 0);
        int status;
        const std::string told = inACopy(
            [] {
                alarm(10);   // ends a copy that waits on the pipe
                get_settings();
                set_settings();
                set_settings();
            },
            &status);
        EXPECT_EQ(status, 0) << node;
        EXPECT_EQ(told, "gor: cannot save gorSetup.cfg: not a plain file\n") << node;
        struct stat st;
        ASSERT_EQ(lstat(node, &st), 0);
        EXPECT_TRUE(node[0] == 'p' ? S_ISFIFO(st.st_mode)
                                   : S_ISCHR(st.st_mode) && st.st_rdev == makedev(1, 3))
            << node;
        EXPECT_EQ(folderNames().size(), nodes.size() + 1) << node;
    }
    for (const char *node : nodes)
        unlink(node);
}

// An access ACL as setfacl writes it (a tag and its permissions, then an id, for each entry):
// the owner, the group and player 1003 may read and write, no one else.
const uint32_t aclWords[] = {2, 0x60001, ~0u, 0x60002, 1003, 0x60004, ~0u, 0x60010, ~0u, 0x20, ~0u};
const std::string acl((const char *)aclWords, sizeof aclWords);
const char *const ACL = "system.posix_acl_access";
std::string aclOf(const char *name)
{
    char value[256];
    const ssize_t n = getxattr(name, ACL, value, sizeof value);
    return n < 0 ? "none" : std::string(value, (size_t)n);
}

// The player's own file with an ACL entry that lets another player in keeps it through a
// save, also where a new file may not be given it: then, with no room on the disk for a
// longer text, the file stays as it was, and failing once written over, the whole new text
// stays beside it. A file without an ACL gets none from its folder's default one.
TEST_F(Settings, AFileSharedByAnACLKeepsIt)
{
    writeFile("[Settings]\nresx = 1280\n");
    if (setxattr("gorSetup.cfg", ACL, acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "no ACLs on this file system";
    resx = 1600;
    set_settings();
    EXPECT_EQ(aclOf("gorSetup.cfg"), acl);
    int status;   // where a new file may not be given it, the file is written in place
    const auto refused = [] { refuseCall(__NR_fsetxattr, 0, EPERM); set_settings(); };
    EXPECT_EQ(inACopy(refused, &status), "");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(aclOf("gorSetup.cfg"), acl);
    const std::string saved = harnessReadFile("gorSetup.cfg");
    const auto noRoom = [] { refuseCall(__NR_pwrite64, ~0u, ENOSPC, 3); resx = 160000; };
    EXPECT_EQ(inACopy([&] { noRoom(); refused(); }, &status),
              "gor: cannot save gorSetup.cfg: No space left on device\n");
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), saved);
    const auto failing = [] { refuseCall(__NR_ftruncate, 0, EIO); resx = 1; };
    EXPECT_EQ(inACopy([&] { failing(); refused(); }, &status),
              "gor: cannot save gorSetup.cfg: Input/output error\n");
    ASSERT_EQ(folderNames().size(), 2u);   // the whole new text beside the file
    EXPECT_NE(harnessReadFile(folderNames()[1].c_str()).find("resx = 1\n"), std::string::npos);
    unlink(folderNames()[1].c_str());
    ASSERT_EQ(removexattr("gorSetup.cfg", ACL), 0);
    ASSERT_EQ(setxattr(".", "system.posix_acl_default", acl.data(), acl.size(), 0), 0);
    set_settings();
    EXPECT_EQ(aclOf("gorSetup.cfg"), "none");
    ASSERT_EQ(removexattr(".", "system.posix_acl_default"), 0);
}

// A save in place (the file has a second name) failing once old bytes are written, five
// times with ever longer texts, or killed at its first write into the file: the file never
// holds a byte neither text has, and beside it stays only the newest whole text; failing
// before an old byte is touched, it is as it was, with none (but where it cannot be cut back).
// A failed sync cuts nothing off.
TEST_F(Settings, AWriteInPlaceThatFailsOrIsCutOffLeavesNoBytesOfItsOwn)
{
    writeFile("[Settings]\nresx = 1280\n");
    ASSERT_EQ(link("gorSetup.cfg", "held"), 0);
    get_settings();
    const auto failing = [] { refuseCall(__NR_ftruncate, 0, EIO); };
    const auto fiveSaves = [] {
        for (resx = 16000; resx < 1600000000; resx *= 10)
            set_settings();
    };
    int status;
    EXPECT_EQ(inACopy([&] { failing(); fiveSaves(); }, &status),
              "gor: cannot save gorSetup.cfg: Input/output error\n");
    const std::vector<std::string> names = folderNames();   // the file, "held", the newest text
    ASSERT_EQ(names.size(), 3u);
    EXPECT_NE(harnessReadFile(names[1].c_str()).find("resx = 160000000\n"), std::string::npos);
    unlink(names[1].c_str());
    const std::string before = harnessReadFile("gorSetup.cfg");
    const auto headRefused = [] { refuseCall(__NR_pwrite64, 0, EIO, 3, true); };
    inACopy([&] { headRefused(); resx = 2000000000; set_settings(); }, &status);
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), before);   // the tail written is cut off again
    EXPECT_EQ(folderNames().size(), 2u);
    const struct rlimit noCore = {0, 0};
    const auto killed = [&] { setrlimit(RLIMIT_CORE, &noCore); refuseCall(__NR_pwrite64, 0, 0); };
    inACopy([&] { killed(); resx = 2000000000; set_settings(); }, &status);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), before);   // not with zero bytes after it
    unlink(folderNames()[1].c_str());   // the killed copy's own file
    const auto syncFails = [] { refuseCall(__NR_fdatasync, 0, EIO); };
    inACopy([&] { syncFails(); resx = 2000000000; set_settings(); }, &status);
    ASSERT_EQ(folderNames().size(), 3u);
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), harnessReadFile(folderNames()[1].c_str()));
    unlink(folderNames()[1].c_str());   // where the cut back fails too, the whole text stays
    const std::string whole = harnessReadFile("gorSetup.cfg");
    inACopy([&] { headRefused(); failing(); resx = -2000000000; set_settings(); }, &status);
    ASSERT_EQ(folderNames().size(), 3u);
    EXPECT_EQ(harnessReadFile("gorSetup.cfg").compare(0, whole.size(), whole), 0);
    for (const std::string &name : folderNames())
        unlink(name.c_str());
}

// Another program holding a write lease on the settings file and never letting go (as a file
// server does for a client that keeps it open); its pid is -1 where there are no leases.
Copy holdLease()
{
    const Copy holder = startCopy([] {
        signal(SIGIO, SIG_IGN);   // the system's call to let go
        if (fcntl(open("gorSetup.cfg", O_RDONLY), F_SETLEASE, F_WRLCK) == 0 && write(2, "!", 1))
            for (;;)
                pause();
    });
    char held;
    return read(holder.told, &held, 1) == 1 ? holder : Copy{-1, -1};
}

// A file whose every read fails is not saved over. A save of the file read before a lease was
// taken is not held up by it (a copy that waits is ended) and replaces it. A file read while
// the lease is held is not saved over, not even once it is gone (the values in play are not
// the player's): the player is told at start, and at the quit why.
TEST_F(Settings, ALeaseIsNeverWaitedOutAndAFileNotReadIsNotSavedOver)
{
    writeFile("# my laptop\n[Settings]\nresx = 1600\n\n[Other]\nk = 1\n");
    const std::string mine = harnessReadFile("gorSetup.cfg");
    int status;
    EXPECT_EQ(inACopy([] { refuseCall(__NR_read, 0, EIO); get_settings(); set_settings(); },
                      &status),
              "gor: gorSetup.cfg is not saved over: it could not be read at start "
              "(Input/output error)\n");
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), mine);
    selectConfigFile("gorSetup.cfg");
    set_config_int("Settings", "resx", 1280);
    Copy holder = holdLease();
    if (holder.pid < 0)
        GTEST_SKIP() << "no leases on this file system";
    EXPECT_EQ(inACopy([] { alarm(10); saveConfigFile("gorSetup.cfg"); }, &status), "");
    kill(holder.pid, SIGKILL);
    endCopy(holder, &status);
    const std::string saved = harnessReadFile("gorSetup.cfg");
    EXPECT_EQ(saved, "# my laptop\n[Settings]\nresx = 1280\n\n[Other]\nk = 1\n");

    ASSERT_EQ(symlink("gorSetup.cfg", "gorMaps.cfg"), 0);   // the unlock store in it too
    holder = holdLease();
    ASSERT_GT(holder.pid, 0);
    testing::internal::CaptureStderr();
    get_settings();
    tellSettingsUnread();
    set_mapdata(4);   // which reads the file again first
    kill(holder.pid, SIGKILL);
    endCopy(holder, &status);
    set_settings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "gor: cannot read gorSetup.cfg: Resource temporarily unavailable; playing on the "
              "default settings, which will not be saved over it\n"
              "gor: cannot save gorMaps.cfg: Resource temporarily unavailable\n"
              "gor: gorSetup.cfg is not saved over: it could not be read at start (Resource "
              "temporarily unavailable)\n");
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), saved);
    unlink("gorMaps.cfg");
    unlink("gorSetup.cfg");   // gone since: made anew
    set_settings();
    EXPECT_NE(harnessReadFile("gorSetup.cfg").find("resx = 800"), std::string::npos);
    get_settings();   // the values in play read from a file again, for the tests after
}

// A file two players share, writable by its group in a folder writable by it, and open to a
// third by an ACL: saved by root or by the other player of the group, it keeps its owner,
// group, mode and ACL, and reads the values saved.
TEST_F(Settings, AFileSharedByTwoPlayersStaysTheirs)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root gives files to other players";
    writeFile("[Settings]\nresx = 1280\n");
    ASSERT_EQ(chown("gorSetup.cfg", 1001, 1002), 0);
    ASSERT_EQ(chmod("gorSetup.cfg", 0660), 0);
    if (setxattr("gorSetup.cfg", ACL, acl.data(), acl.size(), 0) != 0)
        printf("no ACLs on this file system: the owner, group and mode are tried\n");
    const std::string aclBefore = aclOf("gorSetup.cfg");
    ASSERT_EQ(chmod(".", 0777), 0);
    for (uid_t saver : {0, 1003}) {
        int status;
        const std::string told = inACopy(
            [saver] {
                const gid_t group = 1002;
                if (saver && (setgroups(1, &group) || setgid(1003) || setuid(saver)))
                    _exit(4);
                resx = 1600 + (int)saver;
                set_settings();
            },
            &status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(told, "");
        struct stat st;
        ASSERT_EQ(stat("gorSetup.cfg", &st), 0);
        EXPECT_EQ(st.st_uid, 1001u) << saver;
        EXPECT_EQ(st.st_gid, 1002u) << saver;
        EXPECT_EQ(st.st_mode & 0777, 0660u) << saver;
        EXPECT_EQ(aclOf("gorSetup.cfg"), aclBefore) << saver;
        get_settings();
        EXPECT_EQ(resx, 1600 + (int)saver);
    }
    ASSERT_EQ(chmod(".", 0700), 0);
}

// Leftovers of saves cut off, "<file>.<pid>-<n>.tmp", go once they are an hour old: this
// file's only, not the player's own files, nor another copy's save in progress. A file whose
// name is as long as a name may be saves all the same, and its leftovers go too.
TEST_F(Settings, ASaveRemovesItsOwnOldLeftoversAndNothingElse)
{
    auto plant = [](const std::string &name, int hours) {
        FILE *f = fopen(name.c_str(), "w");
        fclose(f);
        const struct timeval then[2] = {{time(NULL) - hours * 3600 - 60, 0},
                                        {time(NULL) - hours * 3600 - 60, 0}};
        utimes(name.c_str(), then);
    };
    writeFile("[Settings]\n");
    plant("gorSetup.cfg.77-1.tmp", 2);
    plant("gorSetup.cfg.77-2.tmp", 0);
    plant("gorSetup.cfg.tmp", 2);
    plant("gorSetup.cfg.x.77-3.tmp", 2);
    plant("gorSetup.cfg.77-.tmp", 2);
    set_settings();
    EXPECT_EQ(folderNames(),
              (std::vector<std::string>{"gorSetup.cfg", "gorSetup.cfg.77-.tmp",
                                        "gorSetup.cfg.77-2.tmp", "gorSetup.cfg.tmp",
                                        "gorSetup.cfg.x.77-3.tmp"}));
    for (const std::string &name : folderNames())
        unlink(name.c_str());

    const std::string longName = std::string(NAME_MAX - 4, 'n') + ".cfg";
    ASSERT_EQ(symlink(longName.c_str(), "gorSetup.cfg"), 0);
    const std::string ownTail = ".77-4.tmp";
    plant(longName.substr(0, NAME_MAX - ownTail.size()) + ownTail, 2);
    resx = 1600;
    testing::internal::CaptureStderr();
    set_settings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    resx = 0;
    get_settings();
    EXPECT_EQ(resx, 1600);
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"gorSetup.cfg", longName}));
    unlink(longName.c_str());
}

// Two copies of the game saving over and over at the same moment, in unnamed files and in
// named ones: neither says a save failed, the file ends whole (as one save of its values
// writes it), and a file the saves did not make is left as it was, with nothing else beside.
TEST_F(Settings, TwoCopiesSavingAtOnceEndWithAWholeFileAndTouchNothingElse)
{
    writeFile("[Settings]\nresx = 1280\n");
    FILE *mine = fopen("gorSetup.cfg.tmp", "w");
    fputs("the player's own", mine);
    fclose(mine);
    for (int named = 0; named < 2; named++) {
        Copy copies[2];
        for (int c = 0; c < 2; c++)
            copies[c] = startCopy([named, c] {
                if (named)
                    refuseUnnamedFiles();
                resx = 1000 + c;
                for (int i = 0; i < 200; i++)
                    set_settings();
            });
        for (Copy copy : copies) {
            int status;
            EXPECT_EQ(endCopy(copy, &status), "");
            EXPECT_EQ(status, 0);
        }
        const std::string saved = harnessReadFile("gorSetup.cfg");
        get_settings();
        EXPECT_TRUE(resx == 1000 || resx == 1001) << saved;
        set_settings();
        EXPECT_EQ(harnessReadFile("gorSetup.cfg"), saved);
        EXPECT_EQ(harnessReadFile("gorSetup.cfg.tmp"), "the player's own");
        EXPECT_EQ(folderNames(), (std::vector<std::string>{"gorSetup.cfg", "gorSetup.cfg.tmp"}));
    }
    unlink("gorSetup.cfg.tmp");
}

// A settings file kept as a link, through a second link, to a file in the player's own
// folder that is not made yet: the save makes that file and both links stay.
TEST_F(Settings, ALinkToAFileNotMadeYetIsFollowedAndKept)
{
    ASSERT_EQ(mkdir("mine", 0700), 0);
    ASSERT_EQ(symlink("mine/link.cfg", "gorSetup.cfg"), 0);
    ASSERT_EQ(symlink("settings.cfg", "mine/link.cfg"), 0);
    resx = 1600;
    set_settings();
    struct stat st;
    EXPECT_TRUE(lstat("gorSetup.cfg", &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(lstat("mine/link.cfg", &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(lstat("mine/settings.cfg", &st) == 0 && S_ISREG(st.st_mode));
    resx = 0;
    get_settings();
    EXPECT_EQ(resx, 1600);
    unlink("mine/settings.cfg");
    unlink("mine/link.cfg");
    rmdir("mine");
}

// A file edited by hand: its comment and blank lines stay where they stand, its key lines
// get their current values, a new key goes at the end of its section's first lines and a
// new section at the end.
TEST_F(Settings, CommentLinesOfAHandEditedFileStayInTheirPlaces)
{
    writeFile("# my settings\n; laptop: 1280\n\n"
              "[Settings]\n# screen\nresx=1280\n   # not too loud\nmusicOn = 0\n\n"
              "; keys\nP1Left = 75\n[Teams]\nGreen = -1\r\n");
    selectConfigFile("gorSetup.cfg");
    set_config_int("Settings", "resx", 1600);
    set_config_int("Settings", "resy", 1200);
    set_config_int("Other", "k", 2);
    saveConfigFile("gorSetup.cfg");
    const std::string saved = harnessReadFile("gorSetup.cfg");
    EXPECT_EQ(saved, "# my settings\n; laptop: 1280\n\n"
                     "[Settings]\n# screen\nresx = 1600\n   # not too loud\nmusicOn = 0\nresy = 1200\n\n"
                     "; keys\nP1Left = 75\n[Teams]\nGreen = -1\n"
                     "\n[Other]\nk = 2\n");
    // Saved under another name in between, the selected file's text is still the one kept.
    saveConfigFile("copy.cfg");
    saveConfigFile("gorSetup.cfg");
    EXPECT_EQ(harnessReadFile("gorSetup.cfg"), saved);
    unlink("copy.cfg");
}

// A file edited by hand with no blank line between its sections (its lines ended by '\n',
// or by a lone '\r'), its settings section named in other case, and a key that also stands
// in another section: each key set is read back and saved in its own section, and no second
// settings section is made. The unlock store likewise reads back an unlock it set. A file
// that begins with a UTF-8 byte-order mark is read past it and keeps it.
TEST_F(Settings, KeysSetInAHandEditedFileAreSavedInTheirOwnSection)
{
    for (char end : {'\n', '\r'}) {
        std::string text = "[settings]\nresx = 800\nresy = 600\n[Teams]\nGreen = -1\np1left = 3\n";
        std::replace(text.begin(), text.end(), '\n', end);
        writeFile(text.c_str());
        get_settings();
        p1left = KEY_Q;
        set_settings();
        p1left = 0;
        get_settings();
        EXPECT_EQ(p1left, KEY_Q) << (int)end;
        EXPECT_EQ(harnessReadFile("gorSetup.cfg").find("[Settings]"), std::string::npos);
    }
    std::vector<std::string> inSettings, inTeams;   // the saved lines all end in '\n'
    for (const std::string &key : fileKeys())
        (key.compare(0, 6, "Teams/") == 0 ? inTeams : inSettings).push_back(key);
    EXPECT_EQ(inTeams, (std::vector<std::string>{"Teams/Green", "Teams/p1left", "Teams/Purple"}));
    EXPECT_EQ(inSettings.size(), 29u);
    for (const std::string &key : inSettings)
        EXPECT_EQ(key.compare(0, 9, "settings/"), 0) << key;

    FILE *f = fopen("gorMaps.cfg", "w");
    fputs("[Settings]\nmap10code = 7\n[Other]\nx = 1\n", f);
    fclose(f);
    set_mapdata(4);
    get_mapdata();
    EXPECT_TRUE(mapUnlocked(4));
    unlink("gorMaps.cfg");

    writeFile("\xEF\xBB\xBF[Settings]\nresx = 800\n");
    get_settings();
    EXPECT_EQ(resx, 800);
    set_settings();
    const std::string saved = harnessReadFile("gorSetup.cfg");
    EXPECT_EQ(saved.compare(0, 25, "\xEF\xBB\xBF[Settings]\nresx = 800\n"), 0) << saved;
    EXPECT_EQ(saved.find("[Settings]", 4), std::string::npos);
}

// What start-up makes of the configured size: the mode it sets, on a 1600x1200 desktop.
int shownW, shownH;
int recordMode(int, int w, int h)
{
    shownW = w;
    shownH = h;
    return 0;
}
int desktop1600x1200(int *w, int *h)
{
    *w = 1600;
    *h = 1200;
    return 0;
}

TEST_F(Settings, StoredValuesAreKeptUnlessTheyWouldCrashOverflowOrHideTheGame)
{
    // Hand-edited values the menu never offers stay as written; only a value that would
    // divide by zero, index past a table, overflow, or leave nothing on the screen is not
    // used as it stands.
    const struct {
        const char *lines;
        int *value;   // what the game goes on with
        int expected;
    } rows[] = {
        {"resx = 1024\nresy = 768", &resx, 1024},
        {"resx = 1024\nresy = 768", &shownH, 768},
        {"resx = 1600\nresy = 600", &resy, 600},
        {"resx = 1600\nresy = 1200", &shownW, 1600},
        {"resx = 640\nresy = 480", &shownH, 480},
        {"resx = 800\nresy = -5", &resy, -5},   // the file keeps it...
        {"resx = 800\nresy = -5", &shownH, 600},   // ...the display falls back
        {"resx = 1\nresy = 1", &shownW, 800},
        {"resx = 1\nresy = 1", &shownH, 600},
        {"resx = 4000\nresy = 3000", &shownW, 800},
        {"resx = 1600\nresy = 1201", &shownH, 600},
        {"musicOn = 5", &musicOn, 5},
        {"p2cpu = -2", &p2cpu, -2},
        {"AIcomp = 7", &AIcomp, 7},
        {"AIcomp = 0", &AIcomp, 0},
        {"AIcomp = -10000", &AIcomp, -10000},
        {"AIcomp = 10000", &AIcomp, 10000},
        {"AIcomp = 10001", &AIcomp, AI_LEVEL_MAX},
        {"AIcomp = 2147483647", &AIcomp, AI_LEVEL_MAX},
        {"AIcomp = -2000000000", &AIcomp, AI_LEVEL_MIN},
        {"GameLength = 0", &GameLength, GAME_LENGTH_MIN},
        {"GameLength = 99", &GameLength, GAME_LENGTH_MAX},
        {"TitleWobble = 0", &TitleWobble, TITLE_WOBBLE_MIN},
        {"TitleWobble = 40", &TitleWobble, TITLE_WOBBLE_MAX},
        {"p1fire = 100000", &p1fire, 100000},   // binds nothing, harmlessly
        {"CredHiScore = -7", &credhigh, -7},
        {"[Teams]\nGreen = -8", &GreenTeam_list, -1},
        {"[Teams]\nPurple = 500", &PurpleTeam_list, 499},
    };
    int wasHeadless = headless;
    headless = 0;
    setGfxModeHook = recordMode;
    desktopSizeHook = desktop1600x1200;
    for (const auto &row : rows) {
        writeFile((std::string("[Settings]\n") + row.lines + "\n").c_str());
        get_settings();
        if (row.value == &shownW || row.value == &shownH)
            setupDisplay();
        EXPECT_EQ(*row.value, row.expected) << row.lines;
    }
    setGfxModeHook = NULL;
    desktopSizeHook = NULL;
    headless = wasHeadless;
}

TEST_F(Settings, KeyCodesTranslateBothWays)
{
    // Codes up to 102 are the same in both numberings.
    EXPECT_EQ(keyIndexOfCode(1), KEY_A);
    EXPECT_EQ(keyIndexOfCode(59), KEY_ESC);
    EXPECT_EQ(keyIndexOfCode(102), 102);
    // The modifiers moved.
    EXPECT_EQ(keyIndexOfCode(103), KEY_LSHIFT);
    EXPECT_EQ(keyIndexOfCode(105), KEY_LCONTROL);
    EXPECT_EQ(keyIndexOfCode(107), KEY_ALT);
    EXPECT_EQ(keyIndexOfCode(114), KEY_CAPSLOCK);
    for (int none : {-1, 115, 126, 1000})
        EXPECT_EQ(keyIndexOfCode(none), -1) << none;

    EXPECT_EQ(keyCodeOfIndex(KEY_S), 19);
    EXPECT_EQ(keyCodeOfIndex(KEY_LSHIFT), 103);
    EXPECT_EQ(keyCodeOfIndex(KEY_RCONTROL), 106);
    EXPECT_EQ(keyCodeOfIndex(KEY_CAPSLOCK), 114);
    EXPECT_EQ(keyCodeOfIndex(KEY_EQUALS_PAD), -1);
    EXPECT_EQ(keyCodeOfIndex(KEY_UNKNOWN8), -1);
    EXPECT_EQ(keyCodeOfIndex(KEY_MAX), -1);
    for (int code = 0; code < KEY_CODE_COUNT; code++)
        EXPECT_EQ(keyCodeOfIndex(keyIndexOfCode(code)), code);

    // The DEFAULTS set binds jump to left shift and bomb to left control.
    setDefaultBindings();
    EXPECT_EQ(p1fire, KEY_SPACE);
    EXPECT_EQ(p2bomb, KEY_RIGHT);
    key[KEY_LSHIFT] = 1;
    EXPECT_TRUE(bindingKeyDown(p1action));
    EXPECT_FALSE(bindingKeyDown(p1bomb));
    key[KEY_LSHIFT] = 0;
    key[KEY_EQUALS_PAD] = 1;   // the installed library's 103 is not left shift
    EXPECT_FALSE(bindingKeyDown(p1action));
    key[KEY_EQUALS_PAD] = 0;
    key[KEY_LCONTROL] = 1;
    EXPECT_TRUE(bindingKeyDown(p1bomb));
    // A code from the file that names no key binds nothing.
    key[KEY_CAPSLOCK] = 1;
    EXPECT_FALSE(bindingKeyDown(126));
    EXPECT_FALSE(bindingKeyDown(-5));
    EXPECT_FALSE(bindingKeyDown(100000));
}

TEST_F(Settings, PadButtonsOutsideTheBindableRangeAreNeverRead)
{
    num_joysticks = 2;
    joy[1].num_buttons = 12;
    joy[1].button[5].b = 1;
    joy[1].button[10].b = 1;
    EXPECT_TRUE(padButtonDown(1, 5));
    EXPECT_FALSE(padButtonDown(0, 5));
    EXPECT_FALSE(padButtonDown(1, 10));
    EXPECT_FALSE(padButtonDown(1, -1));
    EXPECT_FALSE(padButtonDown(2, 0));
    EXPECT_FALSE(padButtonDown(-1, 0));
    num_joysticks = 1;
    EXPECT_FALSE(padButtonDown(1, 5));
    joy[1].button[5].b = joy[1].button[10].b = 0;
}

// ---- Capture, driven by a scripted key source in place of the keyboard wait.

struct KeyEvent {
    int wait;    // the wait call on which it happens (1 = the first)
    int index;   // key[] index
    int down;
};
std::vector<KeyEvent> script;
int waits;

void scriptedKeys()
{
    waits++;
    for (const KeyEvent &e : script)
        if (e.wait == waits)
            key[e.index] = (char)e.down;
    if (waits > 1000) {
        ADD_FAILURE() << "the capture never saw the scripted change";
        key[0] = !key[0];
    }
}

class Capture : public Settings {
protected:
    void SetUp() override
    {
        Settings::SetUp();
        waits = 0;
        script.clear();
        keyCaptureWait = scriptedKeys;
    }
    void TearDown() override
    {
        keyCaptureWait = saved;
        memset((void *)key, 0, KEY_MAX);
        Settings::TearDown();
    }
    void (*saved)() = keyCaptureWait;
};

TEST_F(Capture, AKeyHeldAtTheStartIsCapturedWhenReleased)
{
    key[KEY_S] = 1;
    script = {{3, KEY_S, 0}};
    p1down = KEY_A;
    p1downactive = 1;
    readPlayer1KeyDown();
    EXPECT_EQ(p1down, 19);
    EXPECT_EQ(p1downactive, 0);
    EXPECT_EQ(waits, 3);
}

TEST_F(Capture, ModifiersAreCapturedInTheFilesNumberingAndEscapeKeepsTheKey)
{
    script = {{2, KEY_LSHIFT, 1}};
    EXPECT_EQ(detect_key(), KEY_CODE_LSHIFT);
    memset((void *)key, 0, KEY_MAX);
    waits = 0;
    script = {{1, KEY_ALTGR, 1}};
    EXPECT_EQ(detect_key(), 108);
    memset((void *)key, 0, KEY_MAX);
    waits = 0;
    script = {{1, KEY_ESC, 1}};
    p2fire = 89;
    p2fireactive = 1;
    readPlayer2KeyFire();
    EXPECT_TRUE(p2fire == 89 && p2fireactive == 0) << p2fire;
}

TEST_F(Capture, LowestCodeWinsAndKeysWithoutACodeAreIgnored)
{
    script = {{2, KEY_K, 1}, {2, KEY_D, 1}};
    EXPECT_EQ(detect_key(), KEY_D);
    memset((void *)key, 0, KEY_MAX);
    waits = 0;
    script = {{1, KEY_EQUALS_PAD, 1}, {4, KEY_J, 1}};
    EXPECT_EQ(detect_key(), KEY_J);
    EXPECT_EQ(waits, 4);
}

TEST_F(Capture, PadButtonsHighestWinsAndNothingPressedKeepsWaiting)
{
    num_joysticks = 2;
    joy[0].num_buttons = joy[1].num_buttons = 12;
    p1padfire = 3;
    p1padfireactive = 1;
    detect_pad1_firekey();
    EXPECT_EQ(p1padfire, 3);
    EXPECT_EQ(p1padfireactive, 1);

    joy[0].button[2].b = joy[0].button[5].b = 1;
    detect_pad1_firekey();
    EXPECT_EQ(p1padfire, 5);
    EXPECT_EQ(p1padfireactive, 0);

    // Player 2's readers look at the second pad only.
    p2padbombactive = 1;
    detect_pad2_bombkey();
    EXPECT_EQ(p2padbombactive, 1);
    joy[0].button[2].b = joy[0].button[5].b = 0;
}

TEST_F(Capture, WaitingSlotsAreCapturedInSlotOrder)
{
    num_joysticks = 2;
    joy[1].num_buttons = 12;
    joy[1].button[7].b = 1;
    p2bombactive = 1;
    p2padactionactive = 1;
    script = {{1, KEY_SPACE, 1}};
    captureWaitingBindings();
    EXPECT_EQ(p2bomb, KEY_SPACE);
    EXPECT_EQ(p2padaction, 7);
    EXPECT_EQ(p2bombactive, 0);
    EXPECT_EQ(p2padactionactive, 0);
    EXPECT_EQ(p1left, keyBindings[BIND_P1_LEFT].code);
    joy[1].button[7].b = 0;
}

}  // namespace
