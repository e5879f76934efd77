#include "hostframework/message_handler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "hostframework/tests/test_message.h"

namespace {

// A handler that handles the messages of one id and records what it was offered. The count
// is set to a large value while the object goes, so that calls made then cannot delete it
// twice.
class Node final : public TarnMessageHandler {
 public:
  Node(std::string name, DWORD handles, std::vector<std::string>* log, int* alive)
      : m_name(std::move(name)), m_handles(handles), m_log(log), m_alive(alive) {
    ++*m_alive;
  }
  ~Node() override { --*m_alive; }

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid != IUnknown::iid && iid != IMessageHandler::iid) return E_NOINTERFACE;
    *out = static_cast<IMessageHandler*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++m_count; }
  ULONG Release() override {
    const ULONG count = --m_count;
    if (count == 0) {
      m_count = 0xC0000001;
      delete this;
    }
    return count;
  }
  LONG HandleMessage(IMessage* message) override {
    m_log->push_back(m_name);
    if (message->GetMessageId() == m_handles) return 1;
    return TarnMessageHandler::HandleMessage(message);
  }

 private:
  std::string m_name;
  DWORD m_handles;
  std::vector<std::string>* m_log;
  int* m_alive;
  ULONG m_count = 1;
};

struct Tree : ::testing::Test {
  std::vector<std::string> log;
  int alive = 0;
  Node* Make(const char* name, DWORD handles = 0) { return new Node(name, handles, &log, &alive); }
};

TEST_F(Tree, ChildrenAreAskedInOrderUntilOneHandles) {
  Node* root = Make("root");
  Node* first = Make("first");
  Node* second = Make("second", 7);
  Node* third = Make("third", 7);
  for (Node* child : {first, second, third}) {
    root->AddHandler(child);
    child->Release();
  }
  TestMessage message(7, 0);
  EXPECT_EQ(root->HandleMessage(&message), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"root", "first", "second"}));
  TestMessage unknown(8, 0);
  EXPECT_EQ(root->HandleMessage(&unknown), 0);
  root->Release();
  EXPECT_EQ(alive, 0);
}

TEST_F(Tree, EveryHandlerSendsToTheRootOfItsTree) {
  Node* root = Make("root");
  Node* middle = Make("middle");
  Node* leaf = Make("leaf");
  root->AddHandler(middle);
  middle->AddHandler(leaf);
  IMessageHandler* sender = nullptr;
  leaf->GetSender(&sender);
  EXPECT_EQ(sender, root);
  sender->Release();

  EXPECT_EQ(root->RemoveHandler(middle), S_OK);
  middle->GetSender(&sender);
  EXPECT_EQ(sender, middle);
  sender->Release();
  leaf->GetSender(&sender);
  EXPECT_EQ(sender, middle);
  sender->Release();

  EXPECT_EQ(root->RemoveHandler(middle), E_FAIL);
  EXPECT_EQ(root->RemoveHandler(nullptr), S_FALSE);
  for (Node* n : {root, middle, leaf}) n->Release();
  EXPECT_EQ(alive, 0);
}

TEST_F(Tree, ReleasingTheRootFreesTheWholeTree) {
  // Children hold no reference on their parent, so nothing keeps the tree alive.
  Node* root = Make("root");
  Node* child = Make("child");
  Node* grandchild = Make("grandchild");
  root->AddHandler(child);
  child->AddHandler(grandchild);
  child->Release();
  grandchild->Release();
  EXPECT_EQ(alive, 3);
  root->Release();
  EXPECT_EQ(alive, 0);
}

TEST_F(Tree, AttachAndDetach) {
  Node* root = Make("root");
  Node* child = Make("child");
  child->AttachToParent(static_cast<IMessageHandler*>(root));
  EXPECT_EQ(child->GetParent(), root);
  EXPECT_EQ(root->GetChildCount(), 1u);
  Node* grandchild = Make("grandchild");
  child->AddHandler(grandchild);
  grandchild->Release();
  child->Detach();
  EXPECT_EQ(root->GetChildCount(), 0u);
  EXPECT_EQ(child->GetChildCount(), 0u);
  EXPECT_EQ(alive, 2);
  child->Release();
  root->Release();
  EXPECT_EQ(alive, 0);
}

TEST_F(Tree, SendingWithoutTheHostFails) {
  Node* root = Make("root");
  TestMessage message(1, 0);
  root->SetEnabled(false);
  EXPECT_EQ(root->Send(root, &message), E_FAIL);
  root->Release();
}

}  // namespace
