// The simulated camera's Camera Link libraries, called directly as a grabber program would:
// byte counts, time-outs, paced lines, rate bits, port bookkeeping and the environment.
#include "ClSerialApi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <vector>
#include <string>
#include "ScopedEnv.h"

namespace {

using Clock = std::chrono::steady_clock;
const std::string kLibDir = LUMORA_LIB_DIR;

// One load of a simulated library; the camera behind it lives as long as the load.
class SimLib {
public:
    explicit SimLib(const char* name) : m_handle(dlopen((kLibDir + "/" + name).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~SimLib()
    {
        if (m_handle)
            dlclose(m_handle);
    }
    bool loaded() const { return m_handle != nullptr; }
    template <typename Fn>
    Fn* get(const char* name) const
    {
        return m_handle ? reinterpret_cast<Fn*>(dlsym(m_handle, name)) : nullptr;
    }

    int32_t init(uint32_t index, hSerRef* ref) const { return get<ClSerialInitFn>("clSerialInit")(index, ref); }
    int32_t close(hSerRef ref) const { return get<ClSerialCloseFn>("clSerialClose")(ref); }
    int32_t write(hSerRef ref, std::string bytes, uint32_t* count, uint32_t timeoutMs) const
    {
        *count = static_cast<uint32_t>(bytes.size());
        return get<ClSerialWriteFn>("clSerialWrite")(ref, bytes.data(), count, timeoutMs);
    }
    int32_t read(hSerRef ref, std::string& out, uint32_t wanted, uint32_t timeoutMs) const
    {
        out.assign(wanted, '\0');
        uint32_t count = wanted;
        int32_t status = get<ClSerialReadFn>("clSerialRead")(ref, out.data(), &count, timeoutMs);
        out.resize(count);
        return status;
    }
    // The next reply line, byte by byte as the tool reads.
    std::string line(hSerRef ref) const
    {
        std::string text, byte;
        while (read(ref, byte, 1, 1000) == kClNoError) {
            text += byte;
            if (byte == "\n")
                break;
        }
        return text;
    }
    std::string ask(hSerRef ref, const std::string& request) const
    {
        uint32_t count = 0;
        EXPECT_EQ(write(ref, request, &count, 500), kClNoError);
        return line(ref);
    }

private:
    void* m_handle;
};

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The entry points each generation needs are proven by the tool's start-up through each
// library (the Camera Link end-to-end test); the camera model inside must stay private.
TEST(ClSimLibTest, TheCameraModelInsideStaysPrivate)
{
    for (const char* library : {"libclsersim.so", "libclserial.so", "libclallserial.so"}) {
        SimLib lib(library);
        ASSERT_TRUE(lib.loaded()) << library << ": " << dlerror();
        EXPECT_EQ(lib.get<void>("_ZN10SimSession7OnBytesESt17basic_string_viewIcSt11char_traitsIcEE"), nullptr);
    }
}

TEST(ClSimLibTest, ReadsHonourByteCountsAndTimeOuts)
{
    SimLib lib("libclsersim.so");
    hSerRef ref = nullptr;
    ASSERT_EQ(lib.init(0, &ref), kClNoError);
    std::string got;
    auto start = Clock::now();
    EXPECT_EQ(lib.read(ref, got, 1, 60), kClErrTimeout); // nothing asked, nothing comes
    EXPECT_GE(msSince(start), 60.0);
    EXPECT_EQ(got, "");

    uint32_t count = 0;
    ASSERT_EQ(lib.write(ref, "GA=7\r\nGA?\r\n", &count, 500), kClNoError);
    EXPECT_EQ(count, 11u);
    // More than both answers hold: a time-out, and nothing is taken.
    EXPECT_EQ(lib.read(ref, got, 64, 30), kClErrTimeout);
    EXPECT_EQ(got, "");
    EXPECT_EQ(lib.read(ref, got, 10, 500), kClNoError);
    EXPECT_EQ(got, "COMPLETE\r\n");
    EXPECT_EQ(lib.read(ref, got, 6, 500), kClNoError);
    EXPECT_EQ(got, "GA=7\r\n");
    EXPECT_EQ(lib.close(ref), kClNoError);
    EXPECT_EQ(lib.read(ref, got, 1, 10), kClErrInvalidReference);
}

TEST(ClSimLibTest, APacedLineTakesItsWireTimeAndWritesStopAtTheirTimeOut)
{
    ScopedEnv args("LUMORA_CAMSIM_ARGS", "--baud 9600");
    SimLib lib("libclallserial.so");
    hSerRef ref = nullptr;
    ASSERT_EQ(lib.init(0, &ref), kClNoError);
    auto start = Clock::now();
    std::string reply = lib.ask(ref, "GA?\r\n");
    EXPECT_EQ(reply.rfind("GA=", 0), 0u) << reply;
    // The request and the reply cross the line at 10 bits per byte.
    EXPECT_GE(msSince(start), (5.0 + reply.size()) * 10 * 1000 / 9600);

    uint32_t count = 0;
    EXPECT_EQ(lib.write(ref, std::string(100, 'x'), &count, 20), kClErrTimeout);
    EXPECT_EQ(count, 19u); // 20 ms carry 19.2 bytes at 9600 bit/s
    lib.close(ref);
}

TEST(ClSimLibTest, PortsAreCamerasOfTheirOwnTakingOnlySingleSupportedRateBits)
{
    SimLib lib("libclallserial.so");
    uint32_t ports = 0;
    ASSERT_EQ(lib.get<ClGetNumPortsFn>("clGetNumPorts")(&ports), kClNoError);
    EXPECT_EQ(ports, 2u);
    char manufacturer[128], id[128];
    uint32_t mSize = 128, idSize = 128, version = 0;
    auto info = lib.get<ClGetPortInfoFn>("clGetPortInfo");
    ASSERT_EQ(info(1, manufacturer, &mSize, id, &idSize, &version), kClNoError);
    EXPECT_EQ(std::string(manufacturer) + " - " + id, "Lumora Simulator - Port 1");
    EXPECT_EQ(info(2, manufacturer, &mSize, id, &idSize, &version), kClErrInvalidIndex);

    hSerRef port0 = nullptr, port1 = nullptr, again = nullptr;
    ASSERT_EQ(lib.init(0, &port0), kClNoError);
    ASSERT_EQ(lib.init(1, &port1), kClNoError);
    EXPECT_EQ(lib.init(0, &again), kClErrPortInUse);
    EXPECT_EQ(lib.init(2, &again), kClErrInvalidIndex);
    uint32_t bits = 0;
    ASSERT_EQ(lib.get<ClGetSupportedBaudRatesFn>("clGetSupportedBaudRates")(port1, &bits), kClNoError);
    EXPECT_EQ(bits, 31u);
    auto set = lib.get<ClSetBaudRateFn>("clSetBaudRate");
    for (uint32_t bit : {0u, 1u, 3u, 16u, 32u, 128u, 9600u})
        EXPECT_EQ(set(port1, bit), bit == 1 || bit == 16 ? kClNoError : kClErrBaudRateNotSupported) << bit;

    const std::string initial = lib.ask(port1, "GA?\r\n");
    ASSERT_NE(initial, "GA=33\r\n");
    EXPECT_EQ(lib.ask(port0, "GA=33\r\n"), "COMPLETE\r\n");
    EXPECT_EQ(lib.ask(port1, "GA?\r\n"), initial);
    // Closing and opening a port again finds the camera as it was left.
    lib.close(port0);
    ASSERT_EQ(lib.init(0, &port0), kClNoError);
    EXPECT_EQ(lib.ask(port0, "GA?\r\n"), "GA=33\r\n");

    uint32_t avail = 0, count = 0;
    std::string reply;
    lib.write(port1, "GA?\r\n", &count, 500);
    ASSERT_EQ(lib.read(port1, reply, static_cast<uint32_t>(initial.size()), 500), kClNoError);
    EXPECT_EQ(lib.get<ClGetNumBytesAvailFn>("clGetNumBytesAvail")(port1, &avail), kClNoError);
    EXPECT_EQ(avail, 0u);
    lib.write(port1, "GA?\r\n", &count, 500);
    EXPECT_EQ(lib.get<ClFlushPortFn>("clFlushPort")(port1), kClNoError);
    EXPECT_EQ(lib.read(port1, reply, 1, 20), kClErrTimeout);
    lib.close(port0);
    lib.close(port1);
}

TEST(ClSimLibTest, The2001LibraryOpensOnlyAfterItsManufacturerIsSelected)
{
    SimLib lib("libclserial.so");
    hSerRef ref = nullptr;
    EXPECT_EQ(lib.init(0, &ref), kClErrManufacturerDoesNotExist);
    char name[8];
    uint32_t size = sizeof name, version = 0;
    EXPECT_EQ(lib.get<ClGetManufacturerFn>("clGetManufacturer")(0, name, &size, &version), kClErrBufferTooSmall);
    EXPECT_EQ(size, 17u); // "Lumora Simulator" and its terminating zero
    auto select = lib.get<ClSelectManufacturerFn>("clSelectManufacturer");
    EXPECT_EQ(select("Lumora"), kClErrManufacturerDoesNotExist);
    EXPECT_EQ(select("Lumora Simulator"), kClNoError);
    ASSERT_EQ(lib.init(0, &ref), kClNoError);
    EXPECT_EQ(lib.ask(ref, "GA=5\r\n"), "COMPLETE\r\n");
    lib.close(ref);
}

// The model and the log chosen through the environment are the Camera Link end-to-end test's
// witnesses; a mistake in the camera's options is said where a grabber program shows it.
TEST(ClSimLibTest, AMistakeInTheEnvironmentIsSaidAndNoPortOpens)
{
    ScopedEnv args("LUMORA_CAMSIM_ARGS", "--no-such-option");
    SimLib lib("libclsersim.so");
    hSerRef ref = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_NE(lib.init(0, &ref), kClNoError);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("simulated camera: "), std::string::npos);
}

} // namespace
