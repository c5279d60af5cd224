// A web reader of wire text, typed by the generated declarations: reads a file of wire
// texts, one per line (`pmtool samples`), and prints what it finds in a few models.
// Compiled with tsc --strict; the lines marked @ts-expect-error must not compile.

import type {
  BorderStyle,
  DataSourcePresModel,
  FieldPresModel,
  FlagText,
  ModelBag,
  StyledBoxPresModel,
  ZoneVisibilityFromFieldPresModel,
} from "./presmodel";

declare function require(name: "fs"): { readFileSync(path: string, encoding: "utf8"): string };
declare const process: { argv: string[] };

function flag(text: FlagText): boolean {
  return text === "true";
}

function zoneLine(zone: ZoneVisibilityFromFieldPresModel): string {
  const pair = zone.SelectedFieldNameAndCaption;
  return `zone ${Number(zone.ZoneID)} ${flag(zone.IsZoneVisibilityFromFieldChecked)} ${pair.FieldName.length}`;
}

function boxLine(box: StyledBoxPresModel): string {
  const style: BorderStyle = box.BorderStyle;
  const top: BorderStyle | "unset" = box.BorderStyleTop ?? "unset";  // left out when unset
  return `box ${style} ${top} ${box.FillColor}`;
}

function fieldTypes(fields: FieldPresModel[]): string {
  return fields.map((f) => f.Type).join(",");
}

function sourceLine(source: DataSourcePresModel): string {
  const customOrders: string[] = source.CustomOrders;
  return `source ${source.Fields.length} [${fieldTypes(source.Fields)}] ${customOrders.length}`;
}

const lines = require("fs").readFileSync(process.argv[2], "utf8").split("\n").filter((l) => l.length > 0);
let models = 0;
for (const line of lines) {
  const bag: ModelBag = JSON.parse(line);
  models += Object.keys(bag).length;
  if (bag.ZoneVisibilityFromFieldPresModel) console.log(zoneLine(bag.ZoneVisibilityFromFieldPresModel));
  if (bag.StyledBoxPresModel) console.log(boxLine(bag.StyledBoxPresModel));
  if (bag.DataSourcePresModel) console.log(sourceLine(bag.DataSourcePresModel));
}
console.log(`models ${models}`);

// What the declarations refuse.
// @ts-expect-error: not a text of the enumeration
const wrongStyle: BorderStyle = "no-such-style";
// @ts-expect-error: a member that may be left out may be undefined
const mayBeAbsent: BorderStyle = ({} as StyledBoxPresModel).BorderStyleTop;
// @ts-expect-error: a member written always is required
const incomplete: FieldCaptionPair = { FieldName: "[Sales]" };
// @ts-expect-error: every value is text
const notText: ZoneVisibilityFromFieldPresModel["ZoneID"] = 7;
void [wrongStyle, mayBeAbsent, incomplete, notText];
type FieldCaptionPair = import("./presmodel").FieldCaptionPairPresModel;
