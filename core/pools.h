// The rules every fixed pool of records follows: filled first-free, a full pool drops the
// spawn, records allocated once and reused by every rebuild. In the ground (core/), low
// enough for every subsystem.
#pragma once

// The first record whose `active` is 0, left as it is, or NULL when the pool is full; for
// spawns that may still decide not to start.
template <class Record>
Record *firstFreeRecord(Record **pool, int count)
{
    for (int i = 0; i < count; i++)
        if (pool[i] && pool[i]->active == 0)
            return pool[i];
    return nullptr;
}

// The spawn rule shared by every pool: the first record whose `active` is 0, marked live,
// or NULL when the pool is full (the spawn is then dropped).
template <class Record>
Record *takeFreeRecord(Record **pool, int count)
{
    Record *r = firstFreeRecord(pool, count);
    if (r)
        r->active = 1;
    return r;
}

template <class Record, int N>
Record *takeFreeRecord(Record *(&pool)[N])
{
    return takeFreeRecord(&pool[0], N);
}

// Gives every slot of the pool a zeroed, free record. Records are allocated at the first call
// and reused by every later one, so rebuilding the world neither leaks nor leaves anything
// in flight.
template <class Record, int N>
void clearRecords(Record *(&pool)[N])
{
    for (int i = 0; i < N; i++) {
        if (!pool[i])
            pool[i] = new Record();
        *pool[i] = Record();
    }
}

// Number of live records of a pool.
template <class Record, int N>
int countLiveRecords(Record *(&pool)[N])
{
    int live = 0;
    for (int i = 0; i < N; i++)
        if (pool[i] && pool[i]->active)
            live++;
    return live;
}
