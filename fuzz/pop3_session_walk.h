#pragma once
// How fuzz_pop3_reply walks one input as a whole POP3 session: the bytes are
// everything a hostile server answers, cut at each 0x01 byte into the answer
// to the greeting and then to each command in turn. The real client logs in,
// counts, sizes, fetches and deletes as the check cycle does, and a server
// stand-in hands it one byte per read, so it can tell when the client writes a
// command although bytes of the last answer are still unread, or sends DELE
// for a message it did not read whole on the same connection. The replay test
// walks kept inputs the same way.
#include "mail/pop3_client.h"
#include "text/convert_error.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// The server side of the walk, shared by the connections the client opens.
class FuzzedPop3Server {
public:
    explicit FuzzedPop3Server(std::string_view input)
    {
        size_t start = 0;
        for (size_t cut = input.find('\x01'); cut != std::string_view::npos; cut = input.find('\x01', start)) {
            answers_.emplace_back(input.substr(start, cut - start));
            start = cut + 1;
        }
        answers_.emplace_back(input.substr(start));
    }

    void open()
    {
        open_ = true;
        readWhole_.clear();
        nextAnswer();
    }
    void close() { open_ = false; }
    bool isOpen() const { return open_; }

    void receive(std::string& buffer)
    {
        if (!open_)
            throw EIdNotConnected("Not connected.");
        if (delivered_ >= answer_.size())
            throw EIdReadTimeout("Read Timeout"); // silence until the deadline
        buffer += answer_[delivered_++];
    }
    bool hasUnreceivedBytes() const { return open_ && delivered_ < answer_.size(); }

    void write(std::string_view bytes)
    {
        if (!open_)
            throw EIdNotConnected("Not connected.");
        if (delivered_ < answer_.size() && !fault_)
            fault_ = "command \"" + std::string(bytes.substr(0, 20)) + "\" sent while an answer was unread";
        const std::string_view command = bytes.substr(0, bytes.find('\r'));
        if (command.rfind("DELE ", 0) == 0 && !readWhole_.contains(std::string(command.substr(5))) && !fault_)
            fault_ = std::string(command) + " for a message not read whole on this connection";
        nextAnswer();
    }

    // The walk tells which messages the client read whole on this connection.
    void fetched(int number) { readWhole_.insert(std::to_string(number)); }
    bool answersLeft() const { return next_ < answers_.size(); }
    const std::optional<std::string>& fault() const { return fault_; }

private:
    void nextAnswer()
    {
        answer_ = next_ < answers_.size() ? answers_[next_++] : std::string();
        delivered_ = 0;
    }

    std::vector<std::string> answers_;
    size_t next_ = 0;
    std::string answer_;
    size_t delivered_ = 0;
    bool open_ = false;
    std::set<std::string> readWhole_;
    std::optional<std::string> fault_;
};

class FuzzedPop3Channel : public LineChannel {
public:
    explicit FuzzedPop3Channel(FuzzedPop3Server& server) : server_(server) {}
    void connect(const std::string&, uint16_t, int, bool) override
    {
        if (server_.isOpen())
            throw EIdAlreadyConnected("Already connected.");
        server_.open();
    }
    void startTls() override {}
    void write(std::string_view bytes) override { server_.write(bytes); }
    void receive(std::string& buffer, size_t, SteadyClock::time_point) override { server_.receive(buffer); }
    bool hasUnreceivedBytes() override { return server_.hasUnreceivedBytes(); }
    void setWriteTimeout(int) override {}
    bool isOpen() const override { return server_.isOpen(); }
    void close() override { server_.close(); }
    void abort() override { server_.close(); }

private:
    FuzzedPop3Server& server_;
};

class FuzzedPop3Channels : public LineChannelFactory {
public:
    explicit FuzzedPop3Channels(FuzzedPop3Server& server) : server_(server) {}
    std::unique_ptr<LineChannel> create() override { return std::make_unique<FuzzedPop3Channel>(server_); }

private:
    FuzzedPop3Server& server_;
};

// One visit as the check cycle makes it, at most five messages.
inline void walkPop3Visit(TIdPOP3& pop3, FuzzedPop3Server& server)
{
    pop3.Open();
    const int32_t count = std::min(pop3.QueryMessageCount(), 5);
    for (int n = 1; n <= count; ++n) {
        try {
            const int64_t size = pop3.QueryMessageSize(n);
            TIdMessage message;
            const bool read = fitsWholeFetch(size) ? pop3.FetchMessage(n, message, size) : pop3.FetchHeader(n, message);
            if (read)
                server.fetched(n);
        } catch (const EIdException&) {
        }
        try {
            pop3.MarkDeleted(n); // also for what was not read: the client must refuse those itself
        } catch (const EIdException&) {
        }
    }
    pop3.Close();
}

// What the client did wrong, or nullopt; only the mail layer's own errors and
// a count that is no number may be raised (any other exception escapes).
inline std::optional<std::string> walkPop3SessionInput(std::string_view input)
{
    FuzzedPop3Server server(input);
    FuzzedPop3Channels channels(server);
    TIdPOP3 pop3(channels);
    pop3.Host = "127.0.0.1";
    pop3.Username = "jan";
    pop3.Password = "tajne";
    pop3.ReadTimeout = 1000;
    for (int visit = 0; visit < 3 && server.answersLeft(); ++visit) {
        try {
            walkPop3Visit(pop3, server);
        } catch (const EIdException&) {
        } catch (const EConvertError&) {
        }
    }
    return server.fault();
}

} // namespace kestrin
