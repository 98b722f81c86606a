// Quillet — the other-information codes of the T4A slip.
#include "checks/t4a_codes.h"

#include <algorithm>

namespace quillet {

std::span<const T4AOtherInfoCode> t4aOtherInfoCodes() {
  static constexpr T4AOtherInfoCode codes[] = {
      {26, "elg_rtir_amt", "Eligible retiring allowances", 0, 2009},
      {27, "nelg_rtir_amt", "Non-eligible retiring allowances", 0, 2009},
      {28, "oth_incamt", "Other income"},
      {30, "ptrng_aloc_amt", "Patronage allocations"},
      {32, "rpp_past_srvc_amt", "Registered pension plan contributions (past service)"},
      {34, "padj_amt", "Pension adjustment"},
      {37, "alda_amt", "Advanced life deferred annuity purchase", 2020},
      {40, "resp_aip_amt", "RESP accumulated income payments"},
      {42, "resp_educt_ast_amt", "RESP educational assistance payments"},
      {46, "chrty_dons_amt", "Charitable donations"},
      {102, "nr_lsp_trnsf_amt", "Lump-sum payments, non-resident services transferred"},
      {104, "rsch_grnt_amt", "Research grants"},
      {105, "brsy_amt", "Scholarships, bursaries, fellowships, artists' project grants, prizes"},
      {106, "dth_ben_amt", "Death benefits"},
      {107, "wag_ls_incamt", "Payments from a wage-loss replacement plan"},
      {108, "lsp_rpp_nelg_amt", "Lump-sum payments from an RPP not eligible for transfer"},
      {109, "nrgst_ppln_amt", "Periodic payments from an unregistered plan"},
      {110, "pr_71_acr_lsp_amt", "Lump-sum payments accrued to December 31, 1971"},
      {111, "inc_avg_annty_amt", "Income averaging annuity contract payments"},
      {115, "dpsp_ins_pay_amt", "DPSP annuity or instalment payments"},
      {116, "med_trvl_amt", "Medical travel assistance"},
      {117, "loan_ben_amt", "Loan benefits"},
      {118, "med_prem_ben_amt", "Medical premium benefits"},
      {119, "grp_trm_life_amt", "Premiums paid to a group term life insurance plan"},
      {122, "resp_aip_oth_amt", "RESP accumulated income payments paid to other"},
      {123, "ins_rvk_dpsp_amt", "Payments from a revoked DPSP"},
      {124, "brd_wrk_site_amt", "Board and lodging at special work sites"},
      {125, "dsblt_ben_amt", "Disability benefits paid out of a superannuation or pension plan"},
      {126, "cntrbr_prr_pspp_cnamt", "Pre-1990 past service contributions"},
      {127, "vtrn_ben_amt", "Veterans' benefits"},
      {129, "tx_dfr_ptrng_dvamt", "Tax deferred cooperative shares"},
      {130, "atp_inctv_grnt_amt", "Apprenticeship incentive grant or completion grant"},
      {131, "rdsp_amt", "Registered disability savings plan"},
      {132, "wag_ptct_pgm_amt", "Wage Earner Protection Program"},
      {133, "var_pens_ben_amt", "Variable pension benefits"},
      {134, "tfsa_tax_amt", "Tax-free savings account taxable amounts", 2009},
      {135, "rcpnt_pay_prem_phsp_amt", "Recipient-paid premiums for private health services"},
      {142, "indn_elg_rtir_amt", "Status Indian (exempt income): eligible retiring allowances"},
      {143, "indn_nelg_rtir_amt",
       "Status Indian (exempt income): non-eligible retiring allowances"},
      {144, "indn_oth_incamt", "Status Indian (exempt income): other income"},
      {146, "indn_xmpt_pens_amt", "Status Indian (exempt income): pension or superannuation"},
      {148, "indn_xmpt_lsp_amt", "Status Indian (exempt income): lump-sum payments"},
  };
  return codes;
}

const T4AOtherInfoCode* t4aOtherInfoCode(int code, int year) {
  const auto all = t4aOtherInfoCodes();
  const auto found = std::find_if(all.begin(), all.end(), [&](const T4AOtherInfoCode& c) {
    return c.code == code && c.firstYear <= year && year <= c.lastYear;
  });
  return found == all.end() ? nullptr : &*found;
}

}  // namespace quillet
