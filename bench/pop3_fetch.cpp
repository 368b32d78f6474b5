// Fetches every message of a POP3 mailbox the way the check cycle does: STAT,
// then LIST n and RETR n for each message, then QUIT. Prints one line:
//   messages bytes seconds
// where bytes is the sum of the listed sizes. Used by pop3_fetch_bench.sh.
#include "mail/pop3_client.h"
#include "platform/qt_line_channel_factory.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s HOST PORT USER PASSWORD\n", argv[0]);
        return 2;
    }
    // Qt's TLS backends look for the application object when the first socket is made.
    QCoreApplication application(argc, argv);
    kestrin::QtLineChannelFactory channels;
    kestrin::TIdPOP3 pop3(channels);
    pop3.Host = argv[1];
    pop3.Port = static_cast<uint16_t>(std::atoi(argv[2]));
    pop3.Username = argv[3];
    pop3.Password = argv[4];
    pop3.ConnectTimeout = 10000;
    pop3.ReadTimeout = 10000;
    try {
        const auto start = std::chrono::steady_clock::now();
        pop3.Open();
        const int32_t count = pop3.QueryMessageCount();
        int64_t bytes = 0;
        kestrin::TIdMessage message;
        for (int n = 1; n <= count; ++n) {
            const int64_t size = pop3.QueryMessageSize(n);
            bytes += size;
            if (!pop3.FetchMessage(n, message, size))
                std::fprintf(stderr, "RETR %d refused\n", n);
        }
        pop3.Close();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("%d %lld %.6f\n", count, static_cast<long long>(bytes), elapsed.count());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pop3_fetch: %s\n", e.what());
        return 1;
    }
    return 0;
}
