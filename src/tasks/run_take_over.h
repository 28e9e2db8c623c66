// At start-up: what a run that did not end properly (killed, crashed, out of power) left in
// timelog-running.csv comes to the log once, whatever order its writes came in and however
// often a start is interrupted: a line whose period timelog.csv or timelog-unsaved.csv holds
// already is dropped, the held lines left go to the log, and the user is asked whether to log
// the running task up to its last moment. The file stays as it was until this is done, so
// that an end in between repeats nothing and forgets nothing.
#pragma once
#include "base/system.h"

enum { TAKE_OVER_RETRY_SECONDS = 5 }; // while a file is held: the next try

enum TakeOverResult {
    TAKE_OVER_DONE, // the running file is this run's from now on
    TAKE_OVER_LATER // a file could not be read now (another program holds it): nothing changed
};

// The question and any notice in boxes owned by `owner`. A file with lines Vornet cannot read
// is kept aside and the user told; files held for a minute are told once.
TakeOverResult TakeOverRunningFile(OwnerWindow owner);
