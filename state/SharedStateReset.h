#pragma once
// Puts the note table and the practice state back as they are when the
// library is loaded: every note silent, practice off, score and maximum zero,
// the first scoring rule. Whatever must start from there (our host's practice
// referee, each test) calls this rather than setting the pieces one by one.
// The wanted program, the shown model and the instance count are left alone:
// they belong to the instances still alive.
//
// Like Reset on the panel it starts a new practice run, so a block still being
// scored when the state is reset publishes nothing into the fresh totals.
void resetSharedState();
