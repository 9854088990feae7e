-- Neovim's own LSP client on each file of LSP_FILES: waits for the
-- diagnostics, applies the code action "MsgBox neu umbrechen" to the first
-- call, formats the rest of the buffer and writes it. What it saw goes to
-- LSP_REPORT, one line a file; any failure ends Neovim with status 1.
local report = assert(io.open(os.getenv("LSP_REPORT"), "w"))

local function check(ok, message)
  if not ok then
    error(message, 2)
  end
end

local function relayoutFirstCall(client, buf)
  local params = {
    textDocument = { uri = vim.uri_from_bufnr(buf) },
    range = { start = { line = vim.diagnostic.get(buf)[1].lnum, character = 0 },
              ["end"] = { line = vim.diagnostic.get(buf)[1].lnum, character = 0 } },
    context = { diagnostics = {} },
  }
  local response = client.request_sync("textDocument/codeAction", params, 10000, buf)
  check(response and response.result, "no code actions")
  for _, action in ipairs(response.result) do
    if action.title == "MsgBox neu umbrechen" then
      vim.lsp.util.apply_workspace_edit(action.edit, "utf-16")
      return
    end
  end
  error("no action MsgBox neu umbrechen")
end

local function serve(path)
  vim.cmd("edit " .. vim.fn.fnameescape(path))
  local buf = vim.api.nvim_get_current_buf()
  local id = vim.lsp.start_client({
    name = "msgbox-lsp",
    cmd = { os.getenv("MSGBOX_LSP") },
    root_dir = vim.fn.fnamemodify(path, ":h"),
    flags = { debounce_text_changes = 0 },
  })
  check(id and vim.lsp.buf_attach_client(buf, id), "no client for " .. path)
  local client = vim.lsp.get_client_by_id(id)
  check(vim.wait(20000, function() return #vim.diagnostic.get(buf) > 0 end, 20),
        "no diagnostics for " .. path)
  report:write(vim.fn.fnamemodify(path, ":t") .. " " .. #vim.diagnostic.get(buf) .. "\n")
  relayoutFirstCall(client, buf)
  vim.lsp.buf.formatting_sync(nil, 10000)
  vim.cmd("write")
  vim.lsp.stop_client(id)
end

local ok, problem = pcall(function()
  for path in string.gmatch(os.getenv("LSP_FILES"), "%S+") do
    serve(path)
  end
end)
if not ok then
  report:write("FAIL " .. tostring(problem) .. "\n")
end
report:close()
vim.cmd(ok and "qall!" or "cquit! 1")
