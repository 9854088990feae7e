"""What VB6 hands its MsgBox, worked out from the code's text the way VB6
evaluates it: the prompt, the buttons and the title (None where none is
given) of each call in a file, for the values the file's variables hold.
VB6 itself does not run here; this is its arithmetic on the few kinds of
expression a MsgBox call is written with."""
import re

from vb_files import BUTTON_VALUES, CONSTANTS

TOKEN = re.compile(r'\s*(?:(?P<string>"(?:[^"]|"")*")|(?P<number>&H[0-9A-F]+&?|\d+[&%]?)'
                   r"|(?P<name>[A-Za-z_][A-Za-z0-9_]*[&%$]?)|(?P<assign>:=)|(?P<comment>')"
                   r"|(?P<symbol>[&+(),=.:]))", re.IGNORECASE)
ARGUMENT_NAMES = ["prompt", "buttons", "title"]
KNOWN_NAMES = {k.lower(): v for k, v in list(CONSTANTS.items()) + list(BUTTON_VALUES.items())}


class NotVb6(Exception):
    """The call is not VB6 code this arithmetic knows."""


def tokens(line):
    result, position = [], 0
    while position < len(line.rstrip()):
        match = TOKEN.match(line, position)
        if not match:
            raise NotVb6(f"cannot read {line[position:position + 20]!r}")
        if match.lastgroup == "comment":
            break
        result.append((match.lastgroup, match.group(match.lastgroup)))
        position = match.end()
    return result


def logical_lines(lines):
    """(first physical line, text) of each logical line, " _" continuations
    joined."""
    result, first, joined = [], 0, ""
    for number, line in enumerate(lines):
        if not joined:
            first = number
        stripped = line.rstrip("\r\n")
        if re.search(r"\s_\s*$", stripped) and not stripped.lstrip().startswith("'"):
            joined += re.sub(r"\s_\s*$", " ", stripped)
            continue
        result.append((first, joined + stripped))
        joined = ""
    return result


def msgbox_at(items):
    """Index of the token after MsgBox's name in a statement's tokens, or
    None; and whether the call stands as the statement, its value unused."""
    for i, (kind, text) in enumerate(items):
        if kind == "name" and text.lower() == "msgbox":
            before = [t.lower() for _, t in items[:i]]
            return i + 1, all(t in ("vba", "interaction", ".") for t in before)
    return None, False


class Arithmetic:
    def __init__(self, items, variables):
        self.items, self.at, self.variables = items, 0, variables

    def peek(self):
        return self.items[self.at] if self.at < len(self.items) else ("end", "")

    def take(self):
        item = self.peek()
        self.at += 1
        return item

    def arguments(self, statement):
        """The call's arguments by name; an omitted one is missing. A call
        standing as a statement takes its list without parentheses."""
        parenthesised = not statement and self.peek() == ("symbol", "(")
        if not statement and not parenthesised:
            raise NotVb6("a MsgBox whose value is used takes its arguments in parentheses")
        if parenthesised:
            self.take()
        values, position = {}, 0
        while True:
            kind, text = self.peek()
            if kind == "name" and self.items[self.at + 1:self.at + 2] == [("assign", ":=")]:
                self.at += 2
                values[text.lower()] = self.expression()
            elif (kind, text) == ("symbol", ","):
                pass
            elif kind == "end" or (kind, text) in (("symbol", ")"), ("symbol", ":")):
                if position:
                    raise NotVb6("the argument list ends in a comma")
            else:
                values[ARGUMENT_NAMES[position]] = self.expression()
            if self.peek() != ("symbol", ","):
                break
            self.take()
            position += 1
        if parenthesised and self.take() != ("symbol", ")"):
            raise NotVb6("the argument list does not end in )")
        if statement and self.peek()[0] != "end" and self.peek() != ("symbol", ":"):
            raise NotVb6(f"{self.peek()[1]!r} after the arguments")
        return values

    def expression(self):
        value = self.operand()
        while self.peek() in (("symbol", "&"), ("symbol", "+")) or self.peek()[1].lower() == "or":
            operator = self.take()[1].lower()
            right = self.operand()
            if operator == "&":
                value = str(value) + str(right)
            elif operator == "+" and isinstance(value, str):
                value += right
            else:
                value = value + right if operator == "+" else value | right
        return value

    def operand(self):
        kind, text = self.take()
        if kind == "string":
            return text[1:-1].replace('""', '"')
        if kind == "number":
            return int(text.rstrip("&%").replace("&H", "0x").replace("&h", "0x"), 0)
        if kind == "name" and text.lower() in KNOWN_NAMES:
            return KNOWN_NAMES[text.lower()]
        if kind == "name" and text in self.variables:
            return self.variables[text]
        if (kind, text) == ("symbol", "("):
            value = self.expression()
            if self.take() != ("symbol", ")"):
                raise NotVb6("a parenthesised list of arguments without Call")
            return value
        raise NotVb6(f"{text!r} is not a value VB6 knows here")


def calls(lines, variables):
    """(first line, (prompt, buttons, title) or the reason it is no VB6) of
    each MsgBox call."""
    result = []
    for first, text in logical_lines(lines):
        try:
            items = tokens(text)
            at, statement = msgbox_at(items)
            if at is None:
                continue
            arguments = Arithmetic(items[at:], variables).arguments(statement)
            result.append((first, (arguments.get("prompt"), arguments.get("buttons", 0),
                                   arguments.get("title"))))
        except (NotVb6, IndexError, ValueError) as error:
            if "msgbox" in text.lower():
                result.append((first, f"not VB6 ({error}): {text.strip()[:160]}"))
    return result
