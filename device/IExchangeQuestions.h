#pragma once

// The questions the exchange must put to the user while a command runs. The
// program asks with message boxes on the GUI thread; a command-line run
// answers from its options.
class IExchangeQuestions
{
public:
    virtual ~IExchangeQuestions() = default;
    // After every file of the instrument's memory arrived: whether to erase
    // that memory now (the option to offer it, and the answer). Called on the
    // exchange thread, which waits for the answer.
    virtual bool DeleteLoadedFiles() = 0;
};
