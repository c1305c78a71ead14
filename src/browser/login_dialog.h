#pragma once

class CNPBrowserHost;
class CRRegistryStore;
struct CNLoginFile;

// The login dialog of a login request whose file asks for it ("PSLoginOpenDialog"): it is
// filled with the last login the registry store remembers, then with the file's own node,
// port, user, password, project and save-password choice; the operator confirms or changes them
// through the host, and what was confirmed is remembered for the next time and goes back into
// the file's values.
class CNPLoginDialog {
 public:
  CNPLoginDialog(CNPBrowserHost& host, CRRegistryStore& store) : m_host(host), m_store(store) {}

  // False when the operator cancelled; file is unchanged then.
  bool Run(CNLoginFile& file);

 private:
  CNPBrowserHost& m_host;
  CRRegistryStore& m_store;
};
