#pragma once

// The "Ignore all" answers of one operation over several files, carried from
// question box to question box. An operation on one file passes none.
struct tErrorState
{
    // Load warnings (codepage, checksum).
    bool bIgnoreWarnings = false;
    // File access problems.
    bool bIgnoreProblems = false;
    // Every other failure.
    bool bIgnoreErrors = false;
};
