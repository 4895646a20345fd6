#include "tools/aireport/standing_bout.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "core/clock.h"
#include "core/fighter.h"
#include "core/match.h"
#include "core/settings.h"
#include "core/tutorial.h"
#include "core/world.h"
#include "frontend/pause.h"
#include "frontend/quit.h"
#include "shell/harness.h"

// Below this line of the feet a fighter on Hell is in the lava.
enum { HELL_LAVA_LINE = 1150 };

void startComputerBout(int arena, int level, unsigned seed)
{
    srand(seed);
    p2cpu = 1;
    AIcomp = level;
    harnessNewBout(arena);
    harnessLeaveBooth(player, booth, FACING_RIGHT);
    player->hasSpawned = 1;
    harnessLeaveBooth(player2, booth2, FACING_LEFT);
    playersActive = 1;
    paused = 0;
    quitting = 0;
    tutorialWait = 0;
    secondscount = 0;
}

StandingBout playStandingBout(const StandingBoutJob &job, int maxTicks, const StandingBoutWatch *watch)
{
    StandingBout r = {};
    if (watch && watch->begin)
        watch->begin(job);
    // No team is chosen, so the result screen writes no statistics file.
    GreenActive = 0;
    PurpleActive = 0;
    startComputerBout(job.arena, job.level, job.seed);
    harnessReleaseInput();

    int carried = 0, wasAlive = 1;
    for (r.ticks = 0; r.ticks < maxTicks && map == job.arena; r.ticks++) {
        harnessTick();
        const Fighter *f = player2;
        if (f->cubesCarried > carried)
            r.cubesTaken += f->cubesCarried - carried;
        // Cubes lost with a death are not carried home.
        if (f->cubesCarried < carried && f->health > 0) {
            r.cubesCashed += carried - f->cubesCarried;
            r.cashIns++;
        }
        carried = f->cubesCarried;
        if (wasAlive && f->health <= 0) {
            r.ownDeaths++;
            if (job.arena == ARENA_HELL && f->y + f->h > HELL_LAVA_LINE)
                r.lavaDeaths++;
        }
        wasAlive = f->health > 0;
        if (watch && watch->tick)
            watch->tick(r.ticks);
    }
    r.ended = map != job.arena;
    r.won = r.ended && player2->won == 1 && player->won == 0;
    if (watch && watch->end)
        watch->end(r);
    return r;
}

bool playStandingBoutsForked(const StandingBoutJob *jobs, int count, int workers, int maxTicks,
                             const StandingBoutWatch *watch, StandingBout *results)
{
    std::vector<int> reader(count, -1);
    std::vector<pid_t> child(count, 0);
    int started = 0, last = count;
    bool ok = true;
    for (int done = 0; done < last; done++) {
        while (started < last && started - done < workers) {
            int fds[2];
            fflush(stdout);
            const pid_t pid = pipe(fds) == 0 ? fork() : -2;
            if (pid < 0) {
                if (pid == -1) {
                    close(fds[0]);
                    close(fds[1]);
                }
                // No more children: the bouts under way are still collected.
                ok = false;
                last = started;
                break;
            }
            if (pid == 0) {
                close(fds[0]);
                const StandingBout r = playStandingBout(jobs[started], maxTicks, watch);
                fflush(stdout);
                // _exit: the child must not run the parent's exit handlers.
                _exit(write(fds[1], &r, sizeof r) == (ssize_t)sizeof r ? 0 : 1);
            }
            close(fds[1]);
            reader[started] = fds[0];
            child[started] = pid;
            started++;
        }
        if (done >= last)
            break;
        // Collected in job order, so that a trace prints bout by bout.
        if (read(reader[done], &results[done], sizeof results[done]) != (ssize_t)sizeof results[done])
            ok = false;
        close(reader[done]);
        int status = 0;
        waitpid(child[done], &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok;
}
