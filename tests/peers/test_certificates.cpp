#include "peers/test_certificates.h"

#include "peers/child_process.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace kestrin::test {
namespace {

const std::string kOpenssl = "/usr/bin/openssl";

void runOpenssl(const std::vector<std::string>& arguments, const std::string& folder)
{
    std::vector<std::string> argv{kOpenssl};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildProcess openssl(argv, folder + "/openssl.log");
    for (int waited = 0; openssl.running(); waited += 10) {
        if (waited > 30000)
            throw std::runtime_error("openssl did not finish");
        usleep(10000);
    }
}

void requireFile(const std::string& path)
{
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) == 0)
        throw std::runtime_error("openssl did not write " + path);
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ",") + name;
    return text;
}

} // namespace

TestCertificates makeTestCertificates(const std::string& folder, const std::vector<std::string>& subjectAltNames)
{
    const TestCertificates files{folder + "/ca.pem", folder + "/cert.pem", folder + "/key.pem"};
    const std::string caKey = folder + "/ca-key.pem";
    const std::string request = folder + "/cert.csr";
    const std::string extensions = folder + "/cert.ext";
    runOpenssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", caKey,
                "-out", files.caFile, "-days", "2", "-subj", "/CN=Kestrin Test CA", "-addext",
                "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign"},
               folder);
    runOpenssl({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", files.keyFile,
                "-out", request, "-subj", "/CN=Kestrin Test Server"},
               folder);
    std::ofstream(extensions) << "basicConstraints=CA:FALSE\n"
                              << "keyUsage=critical,digitalSignature,keyEncipherment\n"
                              << "extendedKeyUsage=serverAuth\n"
                              << "subjectAltName=" << joined(subjectAltNames) << "\n";
    runOpenssl({"x509", "-req", "-in", request, "-CA", files.caFile, "-CAkey", caKey, "-CAcreateserial", "-out",
                files.certFile, "-days", "2", "-extfile", extensions},
               folder);
    for (const std::string& path : {files.caFile, files.certFile, files.keyFile})
        requireFile(path);
    return files;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace kestrin::test
