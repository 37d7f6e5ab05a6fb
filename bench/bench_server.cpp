// vorelian-server under a bounded load on loopback: 16 keep-alive connections asking for random days of
// 1901-2100, answers per second and latency percentiles, the same with HTTP/1.0 clients that open a
// connection per request, the server's memory after 100,000 requests, the ten-year feed asked for whole
// and with the tag of the copy held, and, when nginx is installed, nginx serving the bytes of a day page
// from a file under the same load, as the yardstick of a static server on this machine.
// The server is started by the benchmark on an ephemeral port of 127.0.0.1 and stopped after each run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kConnections = 16;

// A server process with its log in a scratch file (the log line of each request must go somewhere that
// never fills up).
struct ServerProcess {
    pid_t Pid = -1;
    int Port = 0;
    std::string LogPath;

    explicit ServerProcess(int threads) {
        char path[] = "/tmp/vorelian-bench-log-XXXXXX";
        const int fd = mkstemp(path);
        LogPath = path;
        Pid = fork();
        if (Pid == 0) {
            dup2(fd, STDERR_FILENO);
            const std::string t = std::to_string(threads);
            execl(VORELIAN_SERVER, VORELIAN_SERVER, "--port", "0", "--threads", t.c_str(), nullptr);
            _exit(127);
        }
        close(fd);
        for (int i = 0; i < 600 && Port == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::ifstream log(LogPath);
            for (std::string line; Port == 0 && std::getline(log, line);) {
                const auto at = line.find("listening on http://127.0.0.1:");
                if (at != std::string::npos)
                    Port = std::atoi(line.c_str() + at + 30);
            }
        }
    }
    ~ServerProcess() {
        if (Pid > 0) {
            kill(Pid, SIGTERM);
            waitpid(Pid, nullptr, 0);
        }
        unlink(LogPath.c_str());
    }
    // Resident memory of the server in MB, from /proc.
    double ResidentMB() const {
        std::ifstream status("/proc/" + std::to_string(Pid) + "/status");
        std::string key;
        while (status >> key) {
            if (key == "VmRSS:") {
                double kb = 0;
                status >> kb;
                return kb / 1024.0;
            }
            status.ignore(1 << 20, '\n');
        }
        return 0;
    }
};

int Connect(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(uint16_t(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    return fd;
}

// Sends one request and reads its whole reply; the status, or 0 on a broken connection.
int Exchange(int fd, const std::string& request, std::string& buffer) {
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) != ssize_t(request.size()))
        return 0;
    buffer.clear();
    size_t headEnd = std::string::npos;
    size_t length = 0;
    char chunk[16384];
    for (;;) {
        const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return 0;
        buffer.append(chunk, size_t(n));
        if (headEnd == std::string::npos && (headEnd = buffer.find("\r\n\r\n")) != std::string::npos) {
            const auto cl = buffer.find("Content-Length: ");
            length = cl < headEnd ? size_t(std::atol(buffer.c_str() + cl + 16)) : 0;
        }
        if (headEnd != std::string::npos && buffer.size() >= headEnd + 4 + length)
            return std::atoi(buffer.c_str() + 9);
    }
}

// An HTTP/1.0 request on a connection of its own, read until the server closes it; the status, or 0.
int ExchangeOnce(int port, const std::string& request, std::string& buffer) {
    const int fd = Connect(port);
    if (fd < 0)
        return 0;
    buffer.clear();
    int status = 0;
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
        char chunk[16384];
        for (ssize_t n; (n = recv(fd, chunk, sizeof chunk, 0)) > 0;)
            buffer.append(chunk, size_t(n));
        if (buffer.size() > 12)
            status = std::atoi(buffer.c_str() + 9);
    }
    close(fd);
    return status;
}

// A random Gregorian date of 1901-2100 as YYYY-MM-DD.
std::string RandomDate(std::mt19937& rng) {
    using namespace std::chrono;
    static const sys_days first = year{1901} / January / 1;
    static const sys_days last = year{2100} / December / 31;
    std::uniform_int_distribution<int> pick(0, int((last - first).count()));
    const year_month_day d{first + days{pick(rng)}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(d.year()), unsigned(d.month()), unsigned(d.day()));
    return text;
}

struct LoadResult {
    double Seconds = 0;
    long Requests = 0;
    long Failures = 0;
    std::vector<double> LatenciesMs;
};

enum class Clients { KeepAlive, Http10 };

// `total` requests spread over kConnections clients, each waiting for its answer before the next: on one
// kept connection each, or as HTTP/1.0 clients with a connection per request.
LoadResult Load(int port, const std::string& prefix, long total, Clients kind = Clients::KeepAlive) {
    LoadResult result;
    std::vector<std::vector<double>> latencies(kConnections);
    std::atomic<long> failures{0};
    const auto start = Clock::now();
    std::vector<std::thread> clients;
    for (int c = 0; c < kConnections; ++c) {
        clients.emplace_back([&, c] {
            std::mt19937 rng(1234u + unsigned(c));
            const bool once = kind == Clients::Http10;
            const int fd = once ? -2 : Connect(port);
            std::string buffer;
            const long mine = total / kConnections + (c < total % kConnections ? 1 : 0);
            latencies[c].reserve(size_t(mine));
            for (long i = 0; i < mine; ++i) {
                const std::string request = "GET " + prefix + RandomDate(rng) +
                                            (once ? " HTTP/1.0\r\n" : " HTTP/1.1\r\n") +
                                            "Host: 127.0.0.1\r\n\r\n";
                const auto t0 = Clock::now();
                const int status = once     ? ExchangeOnce(port, request, buffer)
                                   : fd < 0 ? 0
                                            : Exchange(fd, request, buffer);
                if (status != 200)
                    ++failures;
                latencies[c].push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            }
            if (fd >= 0)
                close(fd);
        });
    }
    for (auto& t : clients)
        t.join();
    result.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.Requests = total;
    result.Failures = failures;
    for (auto& l : latencies)
        result.LatenciesMs.insert(result.LatenciesMs.end(), l.begin(), l.end());
    std::sort(result.LatenciesMs.begin(), result.LatenciesMs.end());
    return result;
}

double Percentile(const std::vector<double>& sorted, double p) {
    return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(p * double(sorted.size())))];
}

void Report(benchmark::State& state, const LoadResult& r) {
    state.counters["req_per_s"] = double(r.Requests) / r.Seconds;
    state.counters["p50_ms"] = Percentile(r.LatenciesMs, 0.50);
    state.counters["p99_ms"] = Percentile(r.LatenciesMs, 0.99);
    state.counters["failures"] = double(r.Failures);
}

// range(0): threads of the server's pool; range(1): requests.
void RunLoad(benchmark::State& state, const std::string& prefix, Clients clients = Clients::KeepAlive) {
    const ServerProcess server(int(state.range(0)));
    if (server.Port == 0) {
        state.SkipWithError("the server did not start");
        return;
    }
    Load(server.Port, prefix, 500, clients); // warm-up
    LoadResult r;
    for (auto _ : state)
        r = Load(server.Port, prefix, state.range(1), clients);
    Report(state, r);
    state.counters["rss_MB"] = server.ResidentMB();
}

void BM_DayApi(benchmark::State& state) {
    RunLoad(state, "/api/v1/day/");
}
void BM_DayPage(benchmark::State& state) {
    RunLoad(state, "/day/");
}
void BM_DayPageHttp10(benchmark::State& state) {
    RunLoad(state, "/day/", Clients::Http10);
}

// A free port of the loopback, for a server that cannot be told to pick one.
int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof addr;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), size) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &size) == 0)
        port = ntohs(addr.sin_port);
    close(fd);
    return port;
}

// nginx with a scratch folder and configuration, serving one file for every address; stopped at the end.
struct NginxProcess {
    pid_t Pid = -1;
    int Port = 0;
    std::string Dir;

    explicit NginxProcess(const std::string& page) {
        char dir[] = "/tmp/vorelian-bench-nginx-XXXXXX";
        if (access("/usr/sbin/nginx", X_OK) != 0 || !mkdtemp(dir))
            return;
        Dir = dir;
        std::ofstream(Dir + "/page.html") << page;
        const int port = FreePort();
        std::ofstream(Dir + "/nginx.conf")
            << "daemon off; master_process off; worker_processes 1; pid " << Dir << "/nginx.pid;\n"
            << "error_log " << Dir << "/error.log; events { worker_connections 1024; }\n"
            << "http { access_log off; keepalive_requests 1000000; server { listen 127.0.0.1:" << port
            << "; root " << Dir
            << "; location / { default_type text/html; try_files /page.html =404; } } }\n";
        Pid = fork();
        if (Pid == 0) {
            execl("/usr/sbin/nginx", "nginx", "-p", dir, "-c", (Dir + "/nginx.conf").c_str(), nullptr);
            _exit(127);
        }
        for (int i = 0; i < 100 && Port == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (const int fd = Connect(port); fd >= 0) {
                close(fd);
                Port = port;
            }
        }
    }
    ~NginxProcess() {
        if (Pid > 0) {
            kill(Pid, SIGTERM);
            waitpid(Pid, nullptr, 0);
        }
        if (!Dir.empty())
            std::system(("rm -rf " + Dir).c_str());
    }
};

// The day page of our server against nginx sending the bytes of one day page from a file, under the
// same load: ratio is our answers per second over nginx's. Skipped where nginx is not installed.
void BM_DayPageAgainstNginx(benchmark::State& state) {
    const ServerProcess server(2);
    const int fd = server.Port ? Connect(server.Port) : -1;
    std::string page;
    if (fd < 0 || Exchange(fd, "GET /day/2027-05-02 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", page) != 200) {
        state.SkipWithError("the server did not start");
        return;
    }
    close(fd);
    page.erase(0, page.find("\r\n\r\n") + 4);
    const NginxProcess nginx(page);
    if (nginx.Port == 0) {
        state.SkipWithError("nginx is not installed or did not start");
        return;
    }
    LoadResult ours, theirs;
    for (auto _ : state) {
        Load(server.Port, "/day/", 500);
        ours = Load(server.Port, "/day/", state.range(0));
        Load(nginx.Port, "/day/", 500);
        theirs = Load(nginx.Port, "/day/", state.range(0));
    }
    Report(state, ours);
    state.counters["nginx_req_per_s"] = double(theirs.Requests) / theirs.Seconds;
    state.counters["ratio"] =
        (double(ours.Requests) / ours.Seconds) / (double(theirs.Requests) / theirs.Seconds);
    state.counters["failures"] = double(ours.Failures + theirs.Failures);
}

// Memory after 100,000 requests, against memory after the first 10,000: no growth.
void BM_MemoryAfter100k(benchmark::State& state) {
    const ServerProcess server(int(state.range(0)));
    if (server.Port == 0) {
        state.SkipWithError("the server did not start");
        return;
    }
    for (auto _ : state) {
        const LoadResult warm = Load(server.Port, "/api/v1/day/", 10000);
        state.counters["rss_MB_10k"] = server.ResidentMB();
        const LoadResult rest = Load(server.Port, "/api/v1/day/", 90000);
        state.counters["failures"] = double(warm.Failures + rest.Failures);
    }
    state.counters["rss_MB_100k"] = server.ResidentMB();
}

// The ten-year feed asked for whole, then with the tag of the copy held: the 304 is answered without
// building the feed, so it costs about what a health check costs. range(0): conditional requests.
void BM_ConditionalFeed(benchmark::State& state) {
    const ServerProcess server(2);
    const int fd = server.Port ? Connect(server.Port) : -1;
    if (fd < 0) {
        state.SkipWithError("the server did not start");
        return;
    }
    const std::string feed =
        "GET /calendar.ics?from=2020-01-01&to=2029-12-31 HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    std::string buffer;
    double wholeMs = 0, heldMs = 0;
    long failures = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        failures += Exchange(fd, feed + "\r\n", buffer) != 200;
        wholeMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        const auto at = buffer.find("ETag: ");
        const std::string tag =
            at == std::string::npos ? "" : buffer.substr(at + 6, buffer.find("\r\n", at) - at - 6);
        const std::string held = feed + "If-None-Match: " + tag + "\r\n\r\n";
        t0 = Clock::now();
        for (long i = 0; i < state.range(0); ++i)
            failures += Exchange(fd, held, buffer) != 304;
        heldMs =
            std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / double(state.range(0));
    }
    close(fd);
    state.counters["whole_ms"] = wholeMs;
    state.counters["not_modified_ms"] = heldMs;
    state.counters["ratio"] = heldMs > 0 ? wholeMs / heldMs : 0;
    state.counters["failures"] = double(failures);
}

} // namespace

BENCHMARK(BM_ConditionalFeed)->Args({1000})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayApi)
    ->Args({1, 20000})
    ->Args({2, 20000})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPage)->Args({2, 20000})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPageHttp10)->Args({2, 5000})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayPageAgainstNginx)->Args({20000})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryAfter100k)->Args({2})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
