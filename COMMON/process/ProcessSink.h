#pragma once
// What a running encoder process tells the object that started it.

namespace kiv {

enum ProcessNotify {
    NotifyStopped = 96,
    NotifyStarted = 97,    // data: pointer to the child's pid_t
    NotifyOutputLine = 98, // data: a std::string* the receiver owns and deletes
    NotifyEnded = 99,      // data: the result code, cast to intptr_t
};

// What hears a run's notifications: the encoder.
class ProcessSink {
public:
    virtual ~ProcessSink() = default;
    virtual int OnProcessNotify(int code, void* data, int id) = 0;
};

} // namespace kiv
